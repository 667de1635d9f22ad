#pragma once
#include "platform/Services.h"

#include <QPointer>

class QDialog;
class QLabel;
class QProgressBar;

namespace platform {

// The real progress: a modal window over mainWindow() with the item's
// name, "n / total", a bar and "Annuler". Events are handled at each step
// only, so the work itself never runs inside another command.
class ProgressWindow : public Progress {
public:
    ~ProgressWindow() override;
    void start(const QString& title, int total) override;
    bool step(const QString& item, int done) override;
    void finish() override;

private:
    QPointer<QDialog> m_window;
    QLabel* m_item = nullptr;
    QLabel* m_count = nullptr;
    QProgressBar* m_bar = nullptr;
    int m_total = 0;
    bool m_cancelled = false;
};

} // namespace platform
