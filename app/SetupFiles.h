#pragma once

#include <QString>

class AppContext;
class FileDialogs;

// The File menu's data commands: New, Open, Save, Save As and Export Shift Data, with the
// "Save Changes to File?" check they share with shutdown. Messages go through the context's
// Prompter, file names through FileDialogs. After each command the main window shows
// AppContext::MainCaption() as its title.
class SetupFiles {
public:
    SetupFiles(AppContext& context, FileDialogs& dialogs);

    static constexpr const char* SetupFilter = "Setup Files(*.sdt)|*.sdt|";
    static constexpr const char* TextFilter = "Text Files(*.txt)|*.txt|";

    // Each answers whether the command went through (false when cancelled or refused).
    bool FileNew();
    bool FileOpen();
    bool FileSave();
    bool FileSaveAs();
    bool FileExport();

    // 0 when the data matches what was last loaded or saved; otherwise the answer to
    // "Save Changes to File?": 6 Yes, 7 No, 2 Cancel.
    int CheckSaveChanges();
    // Shutdown's first step: false keeps the program running (Cancel, or a Save that did
    // not happen).
    bool ConfirmClose();

    // Accepts FileData as the current data, its tables fitted to ParamCount.
    void LoadFileData();

private:
    bool DataChanged() const;
    bool SaveChangesFirst();
    bool SaveTo(const QString& path);
    int AskVersionQuestion();
    void ShowFailure(const QString& text);

    AppContext& context_;
    FileDialogs& dialogs_;
};
