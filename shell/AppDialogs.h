#pragma once
// The About box and the contact dialog.
#include <QDialog>
#include <QString>

// "Molvex V2.001.0": major, minor as three digits, patch.
QString VersionLine();

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

class CContactDialog : public QDialog {
    Q_OBJECT
public:
    explicit CContactDialog(QWidget* parent = nullptr);
};
