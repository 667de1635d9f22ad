#include "app/AboutBox.h"

#include "platform/CommandGuard.h"
#include "platform/Services.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A path shown whole, as a flat button that opens its folder.
QPushButton* pathButton(const QString& path, const QString& folder, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(path, parent);
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(QStringLiteral("Ouvrir le dossier dans le gestionnaire de fichiers"));
    button->setAccessibleName(path);
    button->setStyleSheet(QStringLiteral("text-align: left; color: palette(link); text-decoration: underline;"));
    QObject::connect(button, &QPushButton::clicked, parent,
                     [folder] { platform::runGuarded([&folder] { platform::desktop().openFolder(folder); }); });
    return button;
}

QLabel* line(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

AboutBox::AboutBox(const QString& workFolder, const QString& configFile, QWidget* parent)
    : QDialog(parent),
      m_work(pathButton(workFolder, workFolder, "workFolder", this)),
      m_config(pathButton(configFile, QFileInfo(configFile).absolutePath(), "configFile", this))
{
    setObjectName("AProposDePolyxX");
    setWindowTitle("À propos de Polyx'X");
    setAccessibleName("À propos de Polyx'X");

    QLabel* name = line(QStringLiteral("Polyx'X " POLYX_VERSION), this);
    name->setObjectName("name");
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    name->setFont(big);
    QLabel* purpose = line(QStringLiteral("Polyx'X traduit les lettres types (scripts Skrivo) reçues d'un "
                                          "correspondant dans vos propres codes, à l'aide de deux dictionnaires."),
                           this);
    purpose->setObjectName("purpose");
    QLabel* licence = line(QStringLiteral("Logiciel libre, distribué sous la licence publique générale GNU "
                                          "(GPL), version 3 ou toute version ultérieure."),
                           this);
    licence->setObjectName("licence");
    QLabel* qt = line(QStringLiteral("Fonctionne avec Qt %1.").arg(QString::fromLatin1(qVersion())), this);
    qt->setObjectName("qtVersion");

    auto* paths = new QFormLayout;
    paths->addRow(QStringLiteral("Dossier de travail :"), m_work);
    paths->addRow(QStringLiteral("Fichier de configuration :"), m_config);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    close->setObjectName("close");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(purpose);
    layout->addWidget(licence);
    layout->addWidget(qt);
    layout->addSpacing(8);
    layout->addLayout(paths);
    layout->addWidget(buttons);
    setMinimumWidth(560);
}
