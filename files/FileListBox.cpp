#include "files/FileListBox.h"

#include "files/FolderListing.h"
#include "platform/Error.h"

#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QWindow>

namespace {

constexpr int kFolderRole = Qt::UserRole;
constexpr int kNativeNameRole = Qt::UserRole + 1;
const QString kNotUtf8 = QStringLiteral(" (codage non valide)");

} // namespace

FileListBox::FileListBox(const QString& folder, QWidget* parent)
    : QListWidget(parent), m_folder(QDir::cleanPath(QDir(folder).absolutePath())),
      m_mask(QString::fromLatin1(polyx::kStartMask))
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideRight);
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setIconSize(QSize(icon, icon));
    connect(this, &QListWidget::clicked, this, &FileListBox::picked);
    reread();
}

// A new folder or mask is read at once: the entries must never be paired
// with a folder they do not come from.
void FileListBox::setFolder(const QString& folder)
{
    m_folder = QDir::cleanPath(QDir(folder).absolutePath());
    reread();
}

void FileListBox::setMask(const QString& mask)
{
    m_mask = mask;
    reread();
}

void FileListBox::refresh()
{
    // A release that went to a box opened by the press is not seen here.
    const bool clicking = m_buttonDown && QGuiApplication::mouseButtons() != Qt::NoButton;
    if (m_batches > 0 || clicking)
        m_stale = true;
    else
        reread();
}

FileListBox::RefreshBatch::RefreshBatch(FileListBox& list) : m_list(list) { ++m_list.m_batches; }

FileListBox::RefreshBatch::~RefreshBatch()
{
    if (--m_list.m_batches == 0 && m_list.m_stale)
        m_list.refresh();
}

// The window sees a press before any widget does, and so before the focus
// moves and a grid that loses it saves its dictionary.
bool FileListBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return QListWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        m_buttonDown = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_buttonDown = false;
        // Once the release, and the click it makes, has been handled.
        QMetaObject::invokeMethod(
            this, [this] { if (m_stale) refresh(); }, Qt::QueuedConnection);
    }
    return false;
}

void FileListBox::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    QWindow* handle = window()->windowHandle();
    if (handle && handle != m_window) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = handle;
        m_window->installEventFilter(this);
    }
}

// The release is no longer seen as a button down: the click it makes,
// and what the click opens, still find the entries as they were.
void FileListBox::mouseReleaseEvent(QMouseEvent* event)
{
    const RefreshBatch duringClick(*this);
    QListWidget::mouseReleaseEvent(event);
}

void FileListBox::reread()
{
    m_stale = false;
    clear();
    const QDir dir(m_folder);
    for (const polyx::FolderEntry& entry : polyx::ListFolder(m_folder, m_mask)) {
        auto* item = new QListWidgetItem(m_icons.icon(QFileInfo(dir.filePath(entry.name))), entry.name, this);
        item->setData(kFolderRole, entry.isFolder);
        if (!entry.nativeName.isEmpty()) {
            item->setText(entry.name + kNotUtf8);
            item->setData(kNativeNameRole, entry.nativeName);
            item->setToolTip(QStringLiteral("Ce nom n'est pas écrit en UTF-8 : renommez le fichier (F2) pour l'ouvrir."));
        }
    }
    fitColumns();
}

QString FileListBox::pathAt(int row) const
{
    if (!nativeNameAt(row).isEmpty())
        throw polyx::Error(QStringLiteral("Le nom du fichier \"%1\" n'est pas écrit en UTF-8 (il vient sans doute d'un "
                                          "autre système) : Polyx'X ne peut pas l'ouvrir sous ce nom.\r\n\r\n"
                                          "Renommez-le (F2) pour pouvoir l'ouvrir.")
                               .arg(item(row)->text().chopped(kNotUtf8.size())));
    return QDir(m_folder).filePath(item(row)->text());
}

QByteArray FileListBox::nativeNameAt(int row) const { return item(row)->data(kNativeNameRole).toByteArray(); }

bool FileListBox::isFolderAt(int row) const { return item(row)->data(kFolderRole).toBool(); }

int FileListBox::currentEntry() const
{
    const QListWidgetItem* current = currentItem();
    return current && current->isSelected() ? currentRow() : -1;
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before)
        emit picked();
}

void FileListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    fitColumns();
}

// Two columns share the width, each wide enough for the longest name: the
// user must read whole names; more columns scroll sideways.
void FileListBox::fitColumns()
{
    const int icon = iconSize().width();
    int widest = 0;
    for (int row = 0; row < count(); ++row)
        widest = qMax(widest, fontMetrics().horizontalAdvance(item(row)->text()));
    const int column = qMax(viewport()->width() / 2, widest + icon + 16);
    setGridSize(QSize(column, qMax(fontMetrics().height(), icon) + 4));
}
