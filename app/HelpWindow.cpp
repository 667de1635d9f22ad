#include "app/HelpWindow.h"

#include "app/GuideSections.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Lower case without accents: "Vérifier" is found by "verifier".
QString folded(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            result += c.toLower();
    return result;
}

QString pageTitle(const QString& html, const QString& file)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(html);
    if (!match.hasMatch())
        return file;
    QTextDocument plain;
    plain.setHtml(match.captured(1));
    return plain.toPlainText().trimmed();
}

template <typename W>
W* named(W* widget, const char* name, const QString& accessibleName)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

HelpWindow::HelpWindow(const QString& guideFolder, QWidget* parent)
    : QDialog(parent),
      m_folder(guideFolder),
      m_contents(named(new QListWidget(this), "contents", "Sommaire")),
      m_search(named(new QLineEdit(this), "search", "Rechercher")),
      m_found(named(new QLabel(this), "found", "Résultat de la recherche")),
      m_back(named(new QToolButton(this), "back", "Précédent")),
      m_forward(named(new QToolButton(this), "forward", "Suivant")),
      m_browser(named(new QTextBrowser(this), "page", "Page de l'aide"))
{
    setObjectName("AideDePolyxX");
    setWindowTitle("Aide de Polyx'X");
    setAccessibleName("Aide de Polyx'X");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);

    m_back->setText("< Précédent");
    m_forward->setText("Suivant >");
    for (QToolButton* button : {m_back, m_forward}) {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setEnabled(false);
    }
    m_search->setPlaceholderText("Rechercher dans l'aide");
    m_search->setClearButtonEnabled(true);

    m_browser->setSearchPaths({m_folder});
    // Qt's pages ignore a linked style sheet: the guide's own is the default.
    QFile css(m_folder + QStringLiteral("style.css"));
    if (css.open(QIODevice::ReadOnly))
        m_browser->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { markContents(); });

    for (const char* file : polyx::GuidePages()) {
        QFile page(m_folder + QLatin1String(file));
        const QString html = page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
        QTextDocument text;
        text.setHtml(html);
        m_pageTexts << folded(text.toPlainText());
        auto* item = new QListWidgetItem(pageTitle(html, QLatin1String(file)), m_contents);
        item->setData(Qt::UserRole, QLatin1String(file));
    }
    connect(m_contents, &QListWidget::itemActivated, this, [this] { followContents(); });
    connect(m_contents, &QListWidget::itemClicked, this, [this] { followContents(); });
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::search);
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        for (int row = 0; row < m_contents->count(); ++row)
            if (!m_contents->item(row)->isHidden()) {
                m_contents->setCurrentRow(row);
                return followContents();
            }
    });

    auto* left = new QWidget(this);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->addWidget(m_search);
    leftColumn->addWidget(m_found);
    leftColumn->addWidget(m_contents, 1);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 640});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(920, 640);
    m_found->hide();
}

void HelpWindow::showSection(const QString& section)
{
    const QString file = section.section(u'#', 0, 0);
    if (!QFileInfo::exists(m_folder + file)) {
        m_browser->setHtml(QStringLiteral("<p>Le guide est introuvable : le fichier « %1 » n'existe pas.</p>")
                               .arg((m_folder + file).toHtmlEscaped()));
    } else {
        QUrl url = QUrl::fromLocalFile(m_folder + file);
        url.setFragment(section.section(u'#', 1), QUrl::DecodedMode);
        if (m_browser->source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment)
            && !url.fragment().isEmpty())
            m_browser->scrollToAnchor(url.fragment());
        m_browser->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

QString HelpWindow::section() const
{
    const QUrl url = m_browser->source();
    QString page = QFileInfo(url.path()).fileName();
    if (url.hasFragment())
        page += u'#' + url.fragment();
    return page;
}

void HelpWindow::followContents()
{
    const QListWidgetItem* item = m_contents->currentItem();
    if (!item)
        return;
    showSection(item->data(Qt::UserRole).toString());
    // The first place of the first word searched for.
    const QString words = m_search->text().simplified();
    if (!words.isEmpty())
        m_browser->find(words.section(u' ', 0, 0));
}

void HelpWindow::search(const QString& words)
{
    const QStringList wanted = folded(words).split(u' ', Qt::SkipEmptyParts);
    int shown = 0;
    for (int row = 0; row < m_contents->count(); ++row) {
        bool all = true;
        for (const QString& word : wanted)
            all = all && m_pageTexts.value(row).contains(word);
        m_contents->item(row)->setHidden(!all);
        shown += all;
    }
    m_found->setVisible(!wanted.isEmpty());
    m_found->setText(shown == 0   ? QStringLiteral("Aucune page ne contient ces mots.")
                     : shown == 1 ? QStringLiteral("1 page trouvée")
                                  : QStringLiteral("%1 pages trouvées").arg(shown));
}

void HelpWindow::markContents()
{
    const QString file = QFileInfo(m_browser->source().path()).fileName();
    for (int row = 0; row < m_contents->count(); ++row) {
        QListWidgetItem* item = m_contents->item(row);
        QFont font = item->font();
        font.setBold(item->data(Qt::UserRole).toString() == file);
        item->setFont(font);
    }
}
