#include "app/Theme.h"

#include "app/LazyIcon.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOption>
#include <QStyleFactory>

namespace {

// Fusion reads and decodes its standard icons anew at each request, and
// every tool bar asks for its extension arrows twice when it is made, though
// they show only when the bar is too short. Each icon is made once, when it
// is first painted; they differ only by the writing direction.
class MetropolisStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget*) const override
    {
        const bool rightToLeft = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
        const int key = int(icon) * 2 + int(rightToLeft);
        auto found = m_icons.constFind(key);
        if (found == m_icons.constEnd()) {
            QStyleOption direction;
            direction.direction = rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
            // Shared by every widget that asks, so made for none of them.
            found = m_icons.insert(key, LazyIcon([this, icon, direction] {
                return QProxyStyle::standardIcon(icon, &direction, nullptr);
            }));
        }
        return *found;
    }

    // Narrower tabs: the five kinds of file share the 204 pixels of the
    // file panel without scroll arrows.
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 14;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    mutable QHash<int, QIcon> m_icons;
};

} // namespace

bool applyTheme(QApplication& app)
{
    QStyle* fusion = QStyleFactory::create("Fusion");
    if (!fusion)
        return false;
    app.setStyle(new MetropolisStyle(fusion));

    QPalette palette = app.style()->standardPalette();
    const QColor ink("#1e3b63");
    palette.setColor(QPalette::Window, QColor("#f3f5f8"));
    palette.setColor(QPalette::WindowText, ink);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor("#f6f9fd"));
    palette.setColor(QPalette::Text, QColor("#1b2430"));
    palette.setColor(QPalette::Button, QColor("#e8edf4"));
    palette.setColor(QPalette::ButtonText, ink);
    palette.setColor(QPalette::Highlight, QColor("#1e5aa8"));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor("#ffffe1"));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::Link, QColor("#1e5aa8"));
    palette.setColor(QPalette::Mid, QColor("#c9d3e0"));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor("#a0a8b4"));
    app.setPalette(palette);

    QFont font = app.font();
    font.setPointSize(9);
    app.setFont(font);
    return true;
}
