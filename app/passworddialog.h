// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QDialogButtonBox;
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
    // Whether the user asked for the password to be remembered in the keyring.
    [[nodiscard]] bool remember() const;
    // The next question for `address` says that its password was refused.
    void MarkRefused(const QString &address);
    // Offers "Remember in the keyring", or, with a reason why no keyring
    // answers, shows it disabled with that reason.
    void SetKeyringFailure(const QString &why);

private:
    void addButtons();

    QLabel *const lblQuestion;
    QLineEdit *const txtPassword;
    QLabel *const lblRefused;
    QCheckBox *const chkRemember;
    QDialogButtonBox *m_buttons = nullptr; // from the first question on
    QString m_address;
    QString m_refusedAddress;
};
