#include "config/WindowConfig.h"

#include "config/ConfigStore.h"
#include "config/WindowPlacement.h"
#include "platform/FileNames.h"
#include "platform/ProgramPath.h"
#include "platform/Services.h"

#include <QAction>
#include <QWidget>

namespace {

const QString ChecksSection = QStringLiteral("CASES_A_COCHER");

QList<QAction*> checkActions(QWidget& window)
{
    QList<QAction*> found;
    for (QAction* action : window.findChildren<QAction*>()) {
        if (platform::AsciiLower(action->objectName()).contains(QLatin1String("chk_")))
            found.append(action);
    }
    return found;
}

} // namespace

// The window's own rectangle, not its frame: the frame is known only once the
// desktop has drawn it, and a size taken with it would grow at every start.
void SaveWindowPlacement(QWidget& window, const QString& file)
{
    WriteString(platform::programName(), window.objectName(), PlacementText(window.geometry()), file);
}

void RestoreWindowPlacement(QWidget& window, const QString& file)
{
    const QRect current = window.geometry();
    const QString stored = ReadString(platform::programName(), window.objectName(), PlacementText(current), file);
    const QRect placed = PlacementFromText(stored, current, platform::screen().workArea());
    if (placed != current)
        window.setGeometry(placed);
}

void SaveMenuChecks(QWidget& window, const QString& file)
{
    for (QAction* action : checkActions(window))
        WriteBool(ChecksSection, action->objectName(), action->isChecked(), file);
}

void RestoreMenuChecks(QWidget& window, const QString& file)
{
    for (QAction* action : checkActions(window))
        action->setChecked(ReadBool(ChecksSection, action->objectName(), action->isChecked(), file));
}
