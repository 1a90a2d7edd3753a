#pragma once

#include <QDialog>

// The About box: program name and version, donation plea and two links.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *owner);
};
