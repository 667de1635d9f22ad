#include "app/LazyIcon.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>

#include <optional>

namespace {

class LazyIconEngine : public QIconEngine {
public:
    // Without a path the icon is never null; with one, it is null when the
    // file is missing, which menus ask without painting.
    LazyIconEngine(std::function<QIcon()> make, QString path) : m_make(std::move(make)), m_path(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return made().pixmap(size, scale, mode, state);
    }
    // Asked when laying out buttons, hidden ones too: answering with the size
    // asked keeps them from making their icons.
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_icon ? m_icon->actualSize(size, mode, state) : size;
    }
    bool isNull() override { return m_path.isEmpty() ? false : !QFile::exists(m_path); }
    QString key() const override { return QStringLiteral("PolyxLazy"); }
    QIconEngine* clone() const override { return new LazyIconEngine(*this); }

private:
    const QIcon& made()
    {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    QString m_path;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon LazyIcon(std::function<QIcon()> make) { return QIcon(new LazyIconEngine(std::move(make), QString())); }

QIcon SvgIcon(const QString& path)
{
    return QIcon(new LazyIconEngine([path] { return QIcon(path); }, path));
}
