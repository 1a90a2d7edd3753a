#pragma once

#include <QDialog>

namespace Ui {
class frmAbout;
}

// The About box: program name and version, donation plea and two links. Made afresh for every
// opening, so each one starts from the same state.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *owner);
    ~frmAbout() override;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void Image2_Click();
    void Label2_Click();
    void Command1_Click();

private:
    void Form_Load();
    static QString copyrightLine();

    Ui::frmAbout *ui;
    bool fitted_ = false;
};
