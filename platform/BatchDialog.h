#pragma once
#include "platform/Services.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {

// "Traduction par lot": the kind boxes with the count of scripts they take,
// the direction, the output folder, "Traduire" and "Fermer". The request's
// `count` and `accept` carry the program's rules.
class BatchDialog : public QDialog {
    Q_OBJECT
public:
    BatchDialog(const BatchRequest& request, QWidget* parent);
    BatchChoice choice() const;

private:
    void showCount();
    void translate();

    BatchRequest m_request;
    QCheckBox* m_skrivo;
    QCheckBox* m_rtf;
    QCheckBox* m_txt;
    QLabel* m_count;
    QRadioButton* m_internal;
    QRadioButton* m_universal;
    QLineEdit* m_output;
    QPushButton* m_go = nullptr;
};

} // namespace platform
