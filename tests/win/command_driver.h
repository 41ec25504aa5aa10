#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Works the program's main dialog from the driver thread as its user does:
// its buttons, boxes and list, and the file dialogs and message boxes that
// its commands open. Texts are the 8-bit ANSI strings the program uses.
class MainDialogDriver {
public:
    explicit MainDialogDriver(HWND main);

    // Clicks a button as the user does; the click is handled while the
    // driver goes on.
    void Click(int button);
    // The command of a button, as Enter on it gives, leaving the focus where it is.
    void Command(int button);
    // Waits until the dialog has handled the last click or double-click, or
    // has opened a window of its own.
    void Settle() const;
    // Settles; true when the dialog is then enabled, with no window of its own open.
    bool Idle() const;

    // The file dialog the last click opened, or null after the timeout.
    HWND WaitForFileDialog() const;
    // Types path into the dialog's file-name box; ChooseFile also confirms it.
    static void TypeFileName(HWND fileDialog, const std::string& path);
    static void ChooseFile(HWND fileDialog, const std::string& path);
    static void Cancel(HWND dialog);

    // Clicks Open and chooses path; settles.
    void Open(const std::string& path);
    // Clicks Save and chooses path, saying Yes to the question whether to
    // replace it; settles. True when that question was asked.
    bool Save(const std::string& path);
    // Fills both boxes and clicks Change; settles.
    void Change(const std::string& source, const std::string& target);

    struct Message {
        std::string text;
        HICON icon = nullptr;
    };
    // The message box shown over owner (the main dialog when null), closed
    // with its OK button.
    Message TakeMessage(HWND owner = nullptr) const;

    std::vector<std::string> List() const;
    std::string BoxText(int id) const;
    // Puts text into a box as the program would, past any limit.
    void SetBoxText(int id, const std::string& text) const;
    // Types text into a box key by key.
    void Type(int id, const std::string& text) const;
    // Selects entry index of the list, -1 none; the selected entry.
    void Select(int index) const;
    int Selection() const;
    // Selects entry index and double-clicks it.
    void DoubleClick(int index);

    HWND m_hMain;
    DWORD m_uiThread;

private:
    // Sends message from another thread, so that the driver can work the
    // windows the dialog opens while it handles the message.
    void SendAside(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<std::atomic<bool>> m_handled;
};

// Runs the program's main dialog as InitInstance does, with drive working
// it through a driver, and ends it if drive has left it open; its end code.
INT_PTR DriveMainDialog(const std::function<void(MainDialogDriver& dialog)>& drive);
// The same with the model of path opened first.
INT_PTR DriveMainDialogWithModel(const std::string& path, const std::function<void(MainDialogDriver& dialog)>& drive);

// Every file in folder, by name.
std::vector<std::string> FilesIn(const std::string& folder);
