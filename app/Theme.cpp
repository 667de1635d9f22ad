#include "app/Theme.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

bool applyTheme(QApplication& app)
{
    Q_INIT_RESOURCE(polyx);
    QFile sheet(":/polyx/metropolis-ui-blue.qss");
    if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    app.setStyle(QStyleFactory::create("Fusion"));
    app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    return true;
}
