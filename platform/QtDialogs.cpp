#include "platform/QtDialogs.h"

#include "platform/BatchDialog.h"
#include "platform/FileDialog.h"
#include "platform/ProgramPath.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

// QMessageBox only knows its final size once shown, so it is centred then.
class MessageBox : public QMessageBox {
public:
    MessageBox(Icon icon, const QString& title, const QString& text, bool centred)
        : QMessageBox(icon, title, text, NoButton, mainWindow()), m_centred(centred)
    {
        // Keys such as "<CODE>" or "<B>" are what the boxes talk about.
        setTextFormat(Qt::PlainText);
    }

    QPushButton* addFrenchButton(StandardButton button, const QString& text)
    {
        QPushButton* added = addButton(button);
        added->setText(text);
        return added;
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (m_centred) {
            QRect frame = frameGeometry();
            frame.moveCenter(platform::screen().workArea().center());
            move(frame.topLeft());
        }
    }

private:
    bool m_centred;
};

void showOkBox(QMessageBox::Icon icon, const QString& title, const QString& text, bool centred)
{
    MessageBox box(icon, title, text, centred);
    box.setEscapeButton(box.addFrenchButton(QMessageBox::Ok, QStringLiteral("OK")));
    box.exec();
}

} // namespace

void QtDialogs::message(BoxKind kind, const QString& text, bool centred)
{
    switch (kind) {
    case BoxKind::Warning:
        return showOkBox(QMessageBox::Warning, QStringLiteral("Avertissement"), text, centred);
    case BoxKind::Error:
        return showOkBox(QMessageBox::Critical, QStringLiteral("Erreur"), text, centred);
    case BoxKind::Information:
        return showOkBox(QMessageBox::Information, QStringLiteral("Informations"), text, centred);
    case BoxKind::Plain:
        return showOkBox(QMessageBox::NoIcon, programName(), text, centred);
    }
}

namespace {
bool okOrCancel(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    MessageBox box(icon, title, text, false);
    QPushButton* ok = box.addFrenchButton(QMessageBox::Ok, QStringLiteral("OK"));
    box.setEscapeButton(box.addFrenchButton(QMessageBox::Cancel, QStringLiteral("Annuler")));
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok;
}
} // namespace

bool QtDialogs::confirm(const QString& text)
{
    return okOrCancel(QMessageBox::Question, QStringLiteral("Confirmer"), text);
}

bool QtDialogs::confirmWarning(const QString& text)
{
    return okOrCancel(QMessageBox::Warning, QStringLiteral("Avertissement"), text);
}

void QtDialogs::errorBox(const QString& message)
{
    showOkBox(QMessageBox::Critical, programName(), message, false);
}

std::optional<QString> QtDialogs::input(const QString& title, const QString& prompt,
                                        const QString& value)
{
    QInputDialog dialog(mainWindow());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    // QInputDialog has no setting for its prompt's format: its label's.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(value);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtDialogs::openFile(const FileDialogRequest& request)
{
    FileDialog dialog(request, QFileDialog::AcceptOpen, mainWindow());
    return dialog.choose();
}

std::optional<QString> QtDialogs::saveFile(const FileDialogRequest& request)
{
    FileDialog dialog(request, QFileDialog::AcceptSave, mainWindow());
    return dialog.choose();
}

std::optional<BatchChoice> QtDialogs::batchTranslation(const BatchRequest& request)
{
    BatchDialog dialog(request, mainWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace platform
