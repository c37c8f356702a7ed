// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"

#include "devicelink.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PasswordDialog::PasswordDialog(QWidget *parent)
    : QDialog(parent),
      lblQuestion(new QLabel(this)),
      txtPassword(new QLineEdit(this)),
      lblRefused(new QLabel(tr("Wrong password: try again"), this)),
      chkRemember(new QCheckBox(tr("&Remember in the keyring"), this))
{
    setWindowTitle(tr("Device password"));
    lblQuestion->setObjectName(u"lblQuestion"_s);
    lblQuestion->setTextFormat(Qt::PlainText);
    lblQuestion->setBuddy(txtPassword);
    txtPassword->setObjectName(u"txtPassword"_s);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setAccessibleName(tr("Password"));
    lblRefused->setObjectName(u"lblRefused"_s);
    lblRefused->setTextFormat(Qt::PlainText);
    lblRefused->hide();
    chkRemember->setObjectName(u"chkRemember"_s);
    SetKeyringFailure(tr("no answer yet"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblRefused);
    layout->addWidget(lblQuestion);
    layout->addWidget(txtPassword);
    layout->addWidget(chkRemember);
    // What was typed before Cancel is not kept.
    connect(this, &QDialog::rejected, txtPassword, &QLineEdit::clear);
}

// The buttons come with the first question: their standard icons load the icon theme, which
// would delay the main window's first frame.
void PasswordDialog::addButtons()
{
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout()->addWidget(m_buttons);
    // An empty password is no answer.
    QPushButton *ok = m_buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(!txtPassword->text().isEmpty());
    connect(txtPassword, &QLineEdit::textChanged, ok,
            [ok](const QString &text) { ok->setEnabled(!text.isEmpty()); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PasswordDialog::Ask(const QString &address)
{
    if (!m_buttons)
        addButtons();
    m_address = address;
    lblQuestion->setText(tr("The device at %1 asks for the &password of its user %2:")
                                 .arg(address, QLatin1StringView(DeviceLink::User)));
    // The field was emptied as the dialog last closed (takePassword(), Cancel).
    txtPassword->setFocus();
    lblRefused->setVisible(address == m_refusedAddress);
    m_refusedAddress.clear();
    open();
}

QString PasswordDialog::takePassword()
{
    const QString password = txtPassword->text();
    txtPassword->clear();
    return password;
}

bool PasswordDialog::remember() const
{
    return chkRemember->isEnabled() && chkRemember->isChecked();
}

void PasswordDialog::MarkRefused(const QString &address)
{
    m_refusedAddress = address;
}

void PasswordDialog::SetKeyringFailure(const QString &why)
{
    chkRemember->setEnabled(why.isEmpty());
    chkRemember->setToolTip(
            why.isEmpty() ? tr("Keeps the password in the system keyring for the next start")
                          : tr("No keyring answers (%1): the password is kept only until "
                               "Palvorin ends.")
                                    .arg(why));
}
