#include "platform/BatchDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace platform {
namespace {

template <typename W>
W* named(W* widget, const char* name, const QString& accessibleName)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

BatchDialog::BatchDialog(const BatchRequest& request, QWidget* parent)
    : QDialog(parent),
      m_request(request),
      m_skrivo(named(new QCheckBox("SKRIVO", this), "kindSkrivo", "SKRIVO")),
      m_rtf(named(new QCheckBox("RTF", this), "kindRtf", "RTF")),
      m_txt(named(new QCheckBox("TXT", this), "kindTxt", "TXT")),
      m_count(named(new QLabel(this), "count", "Nombre de scripts")),
      m_internal(named(new QRadioButton("Vers mes codes", this), "intoInternal", "Vers mes codes")),
      m_universal(named(new QRadioButton("Vers le langage universel", this), "intoUniversal",
                        "Vers le langage universel")),
      m_output(named(new QLineEdit(this), "outputFolder", "Dossier de sortie"))
{
    setObjectName("TraductionParLot");
    setWindowTitle("Traduction par lot");
    setAccessibleName("Traduction par lot");

    const QString origin = request.fromSelection ? QStringLiteral("Scripts choisis dans la liste des fichiers")
                                                 : QStringLiteral("Scripts du dossier ") + request.sourceFolder;
    auto* scripts = named(new QGroupBox(origin, this), "scripts", origin);
    auto* kinds = new QHBoxLayout;
    for (QCheckBox* box : {m_skrivo, m_rtf, m_txt}) {
        kinds->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { showCount(); });
    }
    kinds->addStretch();
    kinds->addWidget(m_count);
    scripts->setLayout(kinds);

    auto* direction = named(new QGroupBox("Traduction", this), "direction", "Traduction");
    auto* directions = new QVBoxLayout(direction);
    directions->addWidget(m_internal);
    directions->addWidget(m_universal);

    auto* browse = named(new QToolButton(this), "browse", "Choisir le dossier de sortie");
    browse->setText("...");
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, "Dossier de sortie", m_output->text());
        if (!folder.isEmpty())
            m_output->setText(folder.endsWith('/') ? folder : folder + '/');
    });
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(m_output, 1);
    outputRow->addWidget(browse);
    auto* form = new QFormLayout;
    auto* outputLabel = new QLabel("Dossier de sortie", this);
    outputLabel->setBuddy(m_output);
    form->addRow(outputLabel, outputRow);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* go = m_go = named(buttons->addButton("Traduire", QDialogButtonBox::AcceptRole), "translate", "Traduire");
    QPushButton* close = named(buttons->addButton("Fermer", QDialogButtonBox::RejectRole), "close", "Fermer");
    go->setDefault(true);
    connect(go, &QPushButton::clicked, this, [this] { translate(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scripts);
    layout->addWidget(direction);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const BatchChoice& initial = request.initial;
    m_skrivo->setChecked(initial.skrivo);
    m_rtf->setChecked(initial.rtf);
    m_txt->setChecked(initial.txt);
    (initial.universal ? m_universal : m_internal)->setChecked(true);
    m_output->setText(initial.outputFolder);
    showCount();
    resize(520, sizeHint().height());
    if (m_request.help) {
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
        connect(f1, &QShortcut::activated, this, [this] { m_request.help(); });
    }
}

BatchChoice BatchDialog::choice() const
{
    return {m_skrivo->isChecked(), m_rtf->isChecked(), m_txt->isChecked(), m_universal->isChecked(),
            m_output->text()};
}

void BatchDialog::showCount()
{
    const int count = m_request.count ? m_request.count(choice()) : 0;
    m_count->setText(QString::number(count) + (count > 1 ? " scripts" : " script"));
    if (m_go)
        m_go->setEnabled(count > 0);
}

void BatchDialog::translate()
{
    if (!m_request.accept || m_request.accept(choice()))
        accept();
}

} // namespace platform
