#pragma once

// The application object: the start-up sequence that creates the one document, the main
// frame and the form view, and the About command.

#include <memory>

class CLumidexDoc;
class CLumidexView;
class CMainFrame;

class CLumidexApp {
public:
    CLumidexApp();
    ~CLumidexApp();
    CLumidexApp(const CLumidexApp&) = delete;
    CLumidexApp& operator=(const CLumidexApp&) = delete;

    // Needs the QApplication. False: the program ends without a window.
    bool InitInstance();

    CMainFrame* MainFrame() const { return m_pFrame.get(); }
    CLumidexView* View() const;

private:
    bool OnCmdMsg(int nId);
    void OnAppAbout();

    std::unique_ptr<CLumidexDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
};
