#pragma once
#include <QDialog>

class QPushButton;

// "À propos de Polyx'X": name and version, what it does, the licence, the Qt
// version it runs on, and where the work folder and the configuration file
// are; a press on either path opens its folder in the file manager.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const QString& workFolder, const QString& configFile, QWidget* parent);
    QPushButton* workFolderButton() const { return m_work; }
    QPushButton* configFileButton() const { return m_config; }

private:
    QPushButton* m_work;
    QPushButton* m_config;
};
