// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

// Asks for the password of a device: one masked field, OK and Cancel.
// Modal to the window it belongs to only.
class PasswordDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PasswordDialog(QWidget *parent = nullptr);

    // Shows the question for the device at `address` and returns at once;
    // the answer comes through accepted() or rejected().
    void Ask(const QString &address);
    [[nodiscard]] QString address() const { return m_address; }
    // The password typed; the field is emptied.
    [[nodiscard]] QString takePassword();

private:
    QLabel *const lblQuestion;
    QLineEdit *const txtPassword;
    QString m_address;
};
