#pragma once
#include <QString>

class QWidget;

// A window's placement and the check marks of its "chk_" menu items in the
// configuration file (see ConfigStore.h for `file`).

// Section platform::programName(), key = the window's objectName(), value = its outer frame.
void SaveWindowPlacement(QWidget& window, const QString& file = QString());
// Applies the stored frame within the screen's work area; the current one is
// the default. Throws polyx::Error when a stored piece is not an integer.
void RestoreWindowPlacement(QWidget& window, const QString& file = QString());

// Every QAction of the window whose objectName, lower-cased, contains "chk_":
// section "CASES_A_COCHER", key = the objectName, yes/no = checked.
void SaveMenuChecks(QWidget& window, const QString& file = QString());
// Sets the check marks without triggering the actions: whoever reacts to
// them applies the restored state afterwards.
void RestoreMenuChecks(QWidget& window, const QString& file = QString());
