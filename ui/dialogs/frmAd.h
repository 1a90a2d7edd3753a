#pragma once

#include <QWidget>

class frmMain;
class QTimer;

namespace Ui {
class frmAd;
}

// The start-up advertisement. Its proceed action is the only way to the main window.
class frmAd : public QWidget
{
    Q_OBJECT
public:
    // The single instance, created on first use ("loading" the form).
    static frmAd *instance();
    // True while an instance exists.
    static bool isLoaded();

    ~frmAd() override;

    // Decides whether the advertisement is shown; returns at once either way.
    void Apri();

    // The proceed action: stores the snooze if asked, unloads this window and shows the main
    // window, in one handler.
    void Command1_Click();

    // The main window that the proceed action showed in this run, if any.
    static frmMain *mainWindow();

    // The snooze file: the per-user data folder followed by the file's name.
    static QString snoozeFilePath();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    explicit frmAd(QWidget *parent = nullptr);

    void Form_Activate();
    void tmrAds_Timer();
    void openProductPage();

    Ui::frmAd *ui;
    QTimer *tmrAds = nullptr;
    bool unloading_ = false; // set by the proceed action alone: every other close is refused
};
