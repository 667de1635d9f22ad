#include "platform/FileDialog.h"

#include "platform/FileFilter.h"
#include "platform/FrenchFileColumns.h"
#include "platform/NameCase.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

FileDialog::FileDialog(const FileDialogRequest& request, AcceptMode mode, QWidget* parent)
    : QFileDialog(parent, request.title), m_request(request)
{
    // Our own prompt replaces Qt's, whose text would not be French.
    setOptions(DontUseNativeDialog | DontConfirmOverwrite);
    setProxyModel(new FrenchFileColumns(this));
    setAcceptMode(mode);
    setFileMode(AnyFile);
    setLabelText(LookIn, QStringLiteral("Regarder dans :"));
    setLabelText(FileName, QStringLiteral("Nom du fichier :"));
    setLabelText(FileType, QStringLiteral("Type :"));
    setLabelText(Accept, mode == AcceptSave ? QStringLiteral("Enregistrer") : QStringLiteral("Ouvrir"));
    setLabelText(Reject, QStringLiteral("Annuler"));

    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        setNameFilters(filters);
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            selectNameFilter(filters[request.filterIndex - 1]);
    }
    setDefaultSuffix(request.defaultExt);
    followChosenType();
    connect(this, &QFileDialog::filterSelected, this, &FileDialog::followChosenType);
    if (!request.initialDir.isEmpty())
        setDirectory(request.initialDir);
    if (!request.fileName.isEmpty())
        selectFile(request.fileName);
}

std::optional<QString> FileDialog::choose()
{
    if (exec() != Accepted)
        return std::nullopt;
    const QStringList files = selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.first();
}

void FileDialog::followChosenType()
{
    if (acceptMode() != AcceptSave)
        return;
    const int index = int(nameFilters().indexOf(selectedNameFilter())) + 1;
    setDefaultSuffix(extensionForType(m_request.filter, index, m_request.defaultExt));
}

void FileDialog::accept()
{
    followChosenType();
    const QFileInfo chosen(selectedFiles().value(0));
    if (acceptMode() == AcceptSave && m_request.existingFolderOnly && !chosen.isDir()
        && !chosen.absoluteDir().exists()) {
        // The dialog stays up with the name as typed, for the user to mend.
        QMessageBox warning(QMessageBox::Warning, QStringLiteral("Avertissement"),
                            QStringLiteral("Le dossier \"%1\" n'existe pas.")
                                .arg(QDir::toNativeSeparators(chosen.absolutePath())),
                            QMessageBox::NoButton, this);
        warning.setTextFormat(Qt::PlainText);
        warning.setEscapeButton(warning.addButton(QMessageBox::Ok));
        warning.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        warning.exec();
        return;
    }
    if (acceptMode() == AcceptSave && m_request.confirmReplace && chosen.isFile()) {
        QMessageBox prompt(QMessageBox::Warning, QStringLiteral("Confirmer l'enregistrement"),
                           replaceQuestion(chosen.fileName()),
                           QMessageBox::NoButton, this);
        prompt.setTextFormat(Qt::PlainText);
        QPushButton* yes = prompt.addButton(QMessageBox::Yes);
        yes->setText(QStringLiteral("&Oui"));
        QPushButton* no = prompt.addButton(QMessageBox::No);
        no->setText(QStringLiteral("&Non"));
        prompt.setDefaultButton(no);
        prompt.setEscapeButton(no);
        prompt.exec();
        if (prompt.clickedButton() != yes)
            return;
    }
    QFileDialog::accept();
}

QString replaceQuestion(const QString& fileName)
{
    return QStringLiteral("%1 existe déjà.\nVoulez-vous le remplacer ?").arg(fileName);
}

std::optional<QString> chooseSaveFile(const FileDialogRequest& request)
{
    const std::optional<QString> chosen = dialogs().saveFile(request);
    if (!chosen)
        return chosen;
    const QString existing = ResolveNameCase(*chosen);
    if (existing == *chosen)
        return chosen;
    if (request.confirmReplace && !dialogs().confirmWarning(replaceQuestion(QFileInfo(existing).fileName())))
        return std::nullopt;
    return existing;
}

} // namespace platform
