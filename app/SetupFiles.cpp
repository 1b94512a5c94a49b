#include "SetupFiles.h"

#include <QFileInfo>

#include "AppContext.h"
#include "FileDialogs.h"
#include "Prompter.h"
#include "SdtFile.h"
#include "ShiftDataExport.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");
const QString MessageTitle = QStringLiteral("VORNA7");
} // namespace

SetupFiles::SetupFiles(AppContext& context, FileDialogs& dialogs)
    : context_(context), dialogs_(dialogs) {}

bool SetupFiles::DataChanged() const {
    const SetupData& saved = context_.SavedData;
    const SetupData& current = context_.CurrentData;
    for (int i = 0; i <= context_.ParamCount; ++i) {
        if (saved.valueAt(i) != current.valueAt(i))
            return true;
    }
    if (context_.ProgramVersion != current.Version)
        return true;
    return saved.ChanSetpoint != current.ChanSetpoint;
}

int SetupFiles::CheckSaveChanges() {
    if (!DataChanged())
        return 0;
    return context_.prompter().ask(MessageTitle, QStringLiteral("Save Changes to File?"),
                                   Prompter::Icon::Exclamation, Prompter::Buttons::YesNoCancel);
}

// A Save chosen here that does not happen (its Save As cancelled, or the write failed) ends
// the calling command, so unsaved data is never dropped behind the user's back.
bool SetupFiles::SaveChangesFirst() {
    switch (CheckSaveChanges()) {
    case Prompter::Yes:
        return FileSave();
    case Prompter::Cancel:
        return false;
    default:
        return true;
    }
}

bool SetupFiles::ConfirmClose() {
    return SaveChangesFirst();
}

bool SetupFiles::FileNew() {
    if (!SaveChangesFirst())
        return false;
    context_.CurrentData = context_.DefaultData;
    context_.SavedData = context_.CurrentData;
    context_.DataUntitled = true;
    context_.TimingReload = true;
    context_.gFileNameCaption = QLatin1String(AppContext::UnnamedCaption);
    return true;
}

int SetupFiles::AskVersionQuestion() {
    const QString text = QStringLiteral("File created by set-up program version: ") +
                         context_.FileData.Version + CRLF +
                         QStringLiteral("Data tables may not be properly aligned.") + CRLF + CRLF +
                         QStringLiteral("Do you wish to continue?");
    return context_.prompter().ask(MessageTitle, text, Prompter::Icon::Information,
                                   Prompter::Buttons::YesNoCancel);
}

// The file's name and time stamp are taken over only once its data is accepted: a refused
// or cancelled file must not become the target of the next Save.
bool SetupFiles::FileOpen() {
    QString initialName = context_.gFileNamePath;
    for (;;) {
        if (!SaveChangesFirst())
            return false;
        const std::optional<QString> chosen =
            dialogs_.openFile(QLatin1String(SetupFilter), initialName);
        if (!chosen)
            return false;
        SdtFile::Decoded read = SdtFile::read(*chosen);
        if (!read.data) {
            ShowFailure(read.error + CRLF + CRLF +
                        QStringLiteral("The data in memory has not been changed."));
            return false;
        }
        context_.FileData = std::move(*read.data);
        if (context_.FileData.Version != context_.ProgramVersion) {
            const int answer = AskVersionQuestion();
            if (answer == Prompter::No) {
                initialName = *chosen;
                continue;
            }
            if (answer != Prompter::Yes)
                return false;
        }
        context_.gFileNamePath = *chosen;
        context_.gFileNameTitle = QFileInfo(*chosen).fileName();
        context_.gUploadNOW = context_.NowText();
        LoadFileData();
        return true;
    }
}

void SetupFiles::LoadFileData() {
    context_.FileData.resizeTables(context_.ParamCount);
    context_.CurrentData = context_.FileData;
    context_.SavedData = context_.CurrentData;
    context_.DataUntitled = false;
    context_.gFileNameCaption = QLatin1Char('[') + context_.gFileNameTitle + QLatin1Char(']');
}

bool SetupFiles::FileSave() {
    if (context_.DataUntitled)
        return FileSaveAs();
    return SaveTo(context_.gFileNamePath);
}

bool SetupFiles::FileSaveAs() {
    const std::optional<QString> chosen = dialogs_.saveFile(QLatin1String(SetupFilter), QString());
    if (!chosen)
        return false;
    return SaveTo(*chosen);
}

// The version stamp, the file name and SavedData change only once the file is safely on disk.
bool SetupFiles::SaveTo(const QString& path) {
    SetupData stamped = context_.CurrentData;
    stamped.Version = context_.ProgramVersion;
    const QString error = SdtFile::write(path, stamped);
    if (!error.isEmpty()) {
        ShowFailure(error + CRLF + CRLF + QStringLiteral("The data has not been saved."));
        return false;
    }
    context_.CurrentData.Version = context_.ProgramVersion;
    context_.DataUntitled = false;
    context_.gFileNamePath = path;
    context_.gFileNameTitle = QFileInfo(path).fileName();
    context_.gFileNameCaption = QLatin1Char('[') + context_.gFileNameTitle + QLatin1Char(']');
    context_.SavedData = context_.CurrentData;
    return true;
}

bool SetupFiles::FileExport() {
    const std::optional<QString> chosen =
        dialogs_.saveFile(QLatin1String(TextFilter), context_.gFileExportPath);
    if (!chosen)
        return false;
    context_.gFileExportPath = *chosen;
    const QString error = ShiftDataExport::write(*chosen, context_.CurrentData,
                                                 context_.gFileNameTitle, context_.gUploadNOW);
    if (!error.isEmpty()) {
        ShowFailure(error);
        return false;
    }
    return true;
}

void SetupFiles::ShowFailure(const QString& text) {
    context_.prompter().ask(MessageTitle, text, Prompter::Icon::Exclamation, Prompter::Buttons::OK);
}
