#pragma once

#include <QWidget>

class QTimer;

namespace Ui {
class frmAd;
}

// The start-up advertisement. Its proceed action is the only way on to the main window.
class frmAd : public QWidget
{
    Q_OBJECT
public:
    // The single instance, created on first use ("loading" the form).
    static frmAd *instance();
    ~frmAd() override;

    // Decides whether the advertisement is shown; returns at once either way. Within the
    // snooze it proceeds at once, before it returns.
    void Apri();

signals:
    // The proceed action: the snooze is stored if asked and this window is unloading. Whoever
    // opens the main window does it before the signal returns (a direct connection), so the
    // program never runs without a window in between.
    void proceeded();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private slots:
    void Command1_Click();
    void tmrAds_Timer();
    void openProductPage();

private:
    explicit frmAd(QWidget *parent = nullptr);

    void Form_Activate();
    void fitText();
    // The snooze file: the per-user data folder, asked anew each time, and the file's name.
    static QString snoozeFilePath();

    Ui::frmAd *ui;
    QTimer *tmrAds = nullptr;
    bool unloading_ = false; // set by the proceed action alone: every other close is refused
    bool fitted_ = false;
};
