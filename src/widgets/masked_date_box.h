#pragma once

#include <QDate>
#include <QLineEdit>

// A date box with the mask "##-##-####" (day, month, year) and a blank as the
// prompt character: the operator types the digits only.
class MaskedDateBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit MaskedDateBox(QWidget *parent = nullptr);

    // The text as shown, blanks where nothing was typed ("05-12-2026", "  -  -    ").
    QString texto() const { return displayText(); }
    void setTexto(const QString &t) { setText(t); }
    // The date it holds; invalid when incomplete or impossible (31-02-2024).
    QDate fecha() const;
};
