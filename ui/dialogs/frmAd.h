#pragma once

#include <QWidget>

class frmMain;

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

    // The proceed action: unloads this window and shows the main window, in one handler.
    void Command1_Click();

    // The main window that the proceed action showed in this run, if any.
    static frmMain *mainWindow();

private:
    explicit frmAd(QWidget *parent = nullptr);
};
