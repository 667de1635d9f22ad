// The look: icons made when first painted, and the theme's palette and
// standard icons.
#include "app/LazyIcon.h"
#include "app/Theme.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QtTest>

namespace {

QImage painted(const QIcon& icon, int side = 24)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, image.rect());
    return image;
}

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

class LookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(icons); }

    void lazyIconIsMadeOnceWhenFirstPainted()
    {
        int made = 0;
        const QIcon icon = LazyIcon([&made] {
            ++made;
            return QIcon(":/icons/help.svg");
        });
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.actualSize(QSize(20, 20)), QSize(20, 20));
        const QIcon copy = icon;
        QCOMPARE(made, 0);
        const QImage first = painted(copy);
        QCOMPARE(made, 1);
        QCOMPARE(painted(icon), first);
        QCOMPARE(icon.pixmap(16).size(), QSize(16, 16));
        QCOMPARE(made, 1);
    }

    void svgIconDrawsItsFileOrIsNull()
    {
        const QIcon icon = SvgIcon(":/icons/help.svg");
        QVERIFY(!icon.isNull());
        const QImage image = painted(icon);
        QVERIFY(hasInk(image));
        QCOMPARE(image, painted(QIcon(":/icons/help.svg")));
        QVERIFY(SvgIcon(":/icons/no-such-icon.svg").isNull());
    }

    void themeSetsFusionWithItsPaletteAndKeepsStandardIcons()
    {
        auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        QVERIFY(applyTheme(*app));
        auto* proxy = qobject_cast<QProxyStyle*>(app->style());
        QVERIFY(proxy);
        QCOMPARE(proxy->baseStyle()->name(), QString("fusion"));
        QCOMPARE(app->palette().color(QPalette::Highlight), QColor("#1e5aa8"));
        QCOMPARE(app->palette().color(QPalette::Window), QColor("#f3f5f8"));
        QCOMPARE(app->font().pointSize(), 9);

        // One icon per kind and direction, whoever asks.
        QStyle* style = app->style();
        const QIcon folder = style->standardIcon(QStyle::SP_DirIcon);
        QStyleOption option;
        option.direction = Qt::LeftToRight;
        QCOMPARE(style->standardIcon(QStyle::SP_DirIcon, &option).cacheKey(), folder.cacheKey());
        option.direction = Qt::RightToLeft;
        QVERIFY(painted(style->standardIcon(QStyle::SP_ArrowBack, &option), 16)
                != painted(style->standardIcon(QStyle::SP_ArrowBack), 16));
        QVERIFY(hasInk(painted(folder, 16)));
    }
};

QTEST_MAIN(LookTest)
#include "tst_look.moc"
