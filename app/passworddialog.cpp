// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"

#include "devicelink.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PasswordDialog::PasswordDialog(QWidget *parent)
    : QDialog(parent), lblQuestion(new QLabel(this)), txtPassword(new QLineEdit(this))
{
    setWindowTitle(tr("Device password"));
    lblQuestion->setObjectName(u"lblQuestion"_s);
    lblQuestion->setTextFormat(Qt::PlainText);
    lblQuestion->setBuddy(txtPassword);
    txtPassword->setObjectName(u"txtPassword"_s);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setAccessibleName(tr("Password"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblQuestion);
    layout->addWidget(txtPassword);
    layout->addWidget(buttons);
    // An empty password is no answer.
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(txtPassword, &QLineEdit::textChanged, ok,
            [ok](const QString &text) { ok->setEnabled(!text.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // What was typed before Cancel is not kept.
    connect(this, &QDialog::rejected, txtPassword, &QLineEdit::clear);
}

void PasswordDialog::Ask(const QString &address)
{
    m_address = address;
    lblQuestion->setText(tr("The device at %1 asks for the &password of its user %2:")
                                 .arg(address, QLatin1StringView(DeviceLink::User)));
    // The field was emptied as the dialog last closed (takePassword(), Cancel).
    txtPassword->setFocus();
    open();
}

QString PasswordDialog::takePassword()
{
    const QString password = txtPassword->text();
    txtPassword->clear();
    return password;
}
