// The File menu: saving and reopening each kind, forced extensions, failed saves, export,
// the dialogs' titles and filters, drops, and the question at exit.
#include <gtest/gtest.h>

#include "common/message_box_recorder.h"
#include "dialog_answers.h"
#include "file_commands.h"
#include "file_test_documents.h"
#include "harness/test_bitmaps.h"
#include "harness/test_files.h"
#include "open_by_path.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

constexpr wchar_t kSaveFailed[] = L"Save Failed!\n\nThe current project couldn't be saved.";

// Puts a fresh two-Image document (32 and 16 pixels) into the running shell, marked changed.
void InstallTestDocument()
{
    Resource* document = MakeDocument({32, 16});
    PYX_DoCleanupInternalResource(Context().document);
    Context().document = document;
    Context().currentImage = 0;
    Context().currentLayer = 0;
    document->modified = 1;
    SendMessageW(Context().mainWindow, WM_APP + 21, 0, 0);
    PumpMessages();
}

std::vector<uint32_t> CompositeOf(const Resource* document, int index)
{
    const Image* image = document->firstImage;
    for (int i = 0; i < index; i++)
        image = image->next;
    return ReadPixels(image->composite);
}

std::vector<std::wstring> Texts(const std::vector<RecordedMessageBox>& boxes)
{
    std::vector<std::wstring> texts;
    for (const RecordedMessageBox& box : boxes)
        texts.push_back(box.text);
    return texts;
}

}  // namespace

TEST(FileCommands, EachKindSavesWithItsExtensionAndReopensToTheSameBytes)
{
    const struct {
        DocumentKind kind;
        const wchar_t* typedName;
        const wchar_t* writtenName;
        FileKind reopenedKind;
    } cases[] = {
        {DocumentKind::Icon, L"kind one", L"kind one.ico", kIconFileKind},
        {DocumentKind::Cursor, L"kind two.png", L"kind two.cur", kCursorFileKind},
        {DocumentKind::AnimatedCursor, L"kind three.cur", L"kind three.ani", kAniFileKind},
        // A project keeps the kind its document had (a new document's: icon).
        {DocumentKind::Project, L"kind four.FIC", L"kind four.fic", kIconFileKind},
    };
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << int(c.kind));
        InstallTestDocument();
        const std::vector<uint32_t> pixels = CompositeOf(Context().document, 0);
        MessageBoxRecorder recorder;
        ASSERT_TRUE(SaveDocumentAs(CurrentShell(), c.kind, TestPath(c.typedName).c_str()));
        const std::wstring written = TestPath(c.writtenName);
        EXPECT_TRUE(recorder.boxes().empty()) << testing::PrintToString(Texts(recorder.boxes()));
        EXPECT_EQ(Context().document->modified, 0u);
        EXPECT_EQ(WindowText(window), L"Vexil 1.0 - " + written);
        EXPECT_EQ(std::wstring(Context().document->fileName), written);
        EXPECT_EQ(Context().document->fileKind, kIconFileKind) << "saving keeps the kind the document had";

        ASSERT_TRUE(OpenDocument(CurrentShell(), c.kind, written.c_str()));
        EXPECT_EQ(Context().document->fileKind, c.reopenedKind);
        EXPECT_EQ(Context().document->imageCount, 2);
        EXPECT_EQ(Context().document->firstImage->width, 32);
        EXPECT_EQ(CompositeOf(Context().document, 0), pixels) << "32-bit pixels come back unchanged";
        // The reopened document written again gives the same file, byte for byte.
        const std::vector<uint8_t> first = ReadBytes(written);
        ASSERT_TRUE(SaveDocumentAs(CurrentShell(), c.kind, written.c_str()));
        EXPECT_EQ(ReadBytes(written), first);
    }
    StopShell();
}

TEST(FileCommands, ForcedExtensionAsksBeforeReplacingAnotherFile)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    const struct {
        int answer;
        bool replaced;
    } cases[] = {{IDNO, false}, {IDYES, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer == IDYES ? "yes" : "no");
        const std::wstring existing = TestPath(L"logo.ico");
        ASSERT_TRUE(WriteBytes(existing, {1, 2, 3}));
        InstallTestDocument();
        const std::wstring title = WindowText(window);
        bool saved = false;
        std::vector<AnsweredBox> boxes;
        {
            MessageBoxAnswer answer(c.answer);
            saved = SaveDocumentAs(CurrentShell(), DocumentKind::Icon, TestPath(L"logo").c_str());
            boxes = answer.boxes();
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"logo.ico already exists.\nDo you want to replace it?");
        EXPECT_EQ(boxes[0].caption, L"Vexil 1.0");
        EXPECT_TRUE(boxes[0].warningIcon);
        EXPECT_EQ(saved, c.replaced);
        const std::vector<uint8_t> old{1, 2, 3};
        EXPECT_EQ(ReadBytes(existing) != old, c.replaced);
        EXPECT_EQ(Context().document->modified, c.replaced ? 0u : 1u);
        if (!c.replaced) {
            EXPECT_EQ(WindowText(window), title);
        }
    }
    // A name that already ends in the kind's extension was asked about by the dialog itself.
    MessageBoxRecorder recorder;
    EXPECT_TRUE(SaveDocumentAs(CurrentShell(), DocumentKind::Icon, TestPath(L"logo.ICO").c_str()));
    EXPECT_TRUE(recorder.boxes().empty());
    StopShell();
}

TEST(FileCommands, FailedSaveKeepsTheChangesTheTitleAndTheOldFile)
{
    const std::wstring readOnly = TestPath(L"read only.fic");
    ASSERT_TRUE(WriteBytes(readOnly, {'o', 'l', 'd'}));
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const struct {
        const char* what;
        std::wstring path;
    } cases[] = {
        {"read-only file", readOnly},
        {"missing folder", TestPath(L"no such folder\\project.fic")},
        {"path too long", TestPath(std::wstring(300, L'x') + L".fic")},
    };
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    InstallTestDocument();
    const std::wstring title = WindowText(window);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxRecorder recorder;
        EXPECT_FALSE(SaveDocumentAs(CurrentShell(), DocumentKind::Project, c.path.c_str()));
        ASSERT_FALSE(recorder.boxes().empty());
        EXPECT_EQ(recorder.boxes().back().text, kSaveFailed) << "the shell says so after the writer";
        EXPECT_EQ(recorder.boxes().back().caption, L"Vexil 1.0");
        EXPECT_TRUE(recorder.boxes().back().errorIcon);
        EXPECT_EQ(Context().document->modified, 1u);
        EXPECT_EQ(WindowText(window), title);
        EXPECT_EQ(Context().document->fileName[0], L'\0') << "the document keeps the name it had";
    }
    EXPECT_EQ(ReadBytes(readOnly), (std::vector<uint8_t>{'o', 'l', 'd'}));
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    StopShell();
}

TEST(FileCommands, ExportWritesTheCurrentImageInEachFormat)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    InstallTestDocument();
    Image* image = Context().document->firstImage;
    // Left half transparent, right half opaque red.
    PaintPixels(image->composite, [](int x, int) { return x < 16 ? 0x00000000u : 0xFFFF0000u; });
    const struct {
        ExportFormat format;
        const wchar_t* written;
        uint32_t transparentBecomes;
    } cases[] = {
        {ExportFormat::Bitmap, L"exported.bmp", 0xFFFFFFFF},
        {ExportFormat::Jpeg, L"exported.jpg", 0xFFFFFFFF},
        {ExportFormat::Png, L"exported.png", 0x00000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.written)));
        ASSERT_TRUE(ExportCurrentImage(CurrentShell(), c.format, TestPath(L"exported").c_str()));
        Gdiplus::Bitmap* read = Gdiplus::Bitmap::FromFile(TestPath(c.written).c_str());
        ASSERT_EQ(read->GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(read->GetWidth(), 32u);
        Gdiplus::Color left, right;
        read->GetPixel(4, 4, &left);
        read->GetPixel(28, 4, &right);
        if (c.format == ExportFormat::Jpeg) {
            EXPECT_GE(left.GetR() + left.GetG() + left.GetB(), 3 * 250) << "white, within JPEG's error";
            EXPECT_GE(right.GetR(), 245);
            EXPECT_LE(right.GetG(), 10);
        } else {
            EXPECT_EQ(left.GetValue(), c.transparentBecomes);
            EXPECT_EQ(right.GetValue(), 0xFFFF0000u);
        }
        delete read;
    }
    ASSERT_TRUE(ExportCurrentImage(CurrentShell(), ExportFormat::Icon, TestPath(L"exported").c_str()));
    Resource* icon = PYX_LoadIconFromFile(nullptr, TestPath(L"exported.ico").c_str());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->imageCount, 1) << "only the current Image";
    PYX_DoCleanupInternalResource(icon);
    ASSERT_TRUE(ExportCurrentImage(CurrentShell(), ExportFormat::Cursor, TestPath(L"exported").c_str()));
    EXPECT_TRUE(FileExists(TestPath(L"exported.cur")));
    StopShell();
}

TEST(FileCommands, DialogsOpenWithTheirTitlesFiltersAndNames)
{
    const std::wstring library =
        L"Library Files (*.icl,*.nil,*.exe,*.dll,*.scr,*.ocx,*.cpl)";
    const struct {
        int command;
        const wchar_t* title;
        std::vector<std::wstring> filters;
        const wchar_t* name;
    } cases[] = {
        {32772, L"Open Icon File ... ", {L"Icon Files (*.ico)"}, L" "},
        {32773, L"Open Cursor File ... ", {L"Cursor Files (*.cur)"}, L" "},
        {32774, L"Open Animated Cursor File ... ", {L"Animated Cursor Files (*.ani)"}, L" "},
        {32775, L"Open Project File ... ", {L"Vexil Project Files (*.fic)"}, L" "},
        {32780, L"Open Library File ... ", {library}, L" "},
        {32776, L"Save Icon File ... ", {L"Icon Files (*.ico)"}, L"Untitled.ico"},
        {32777, L"Save Cursor File ... ", {L"Cursor Files (*.cur)"}, L"Untitled.cur"},
        {32778, L"Save Animated Cursor File ... ", {L"Animated Cursor Files (*.ani)"}, L"Untitled.ani"},
        {32779, L"Save Project File ... ", {L"Vexil Project Files (*.fic)"}, L"Untitled.fic"},
        {32782, L"Save Current Image As ... ",
         {L"Bitmap Files (*.bmp)", L"JPEG Files (*.jpg)", L"PNG Files (*.png)", L"Icon Files (*.ico)",
          L"Cursor Files (*.cur)"},
         L"Untitled.bmp"},
    };
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        FileDialogAnswer cancel(L"");
        MessageBoxRecorder recorder;
        SendMessageW(window, WM_COMMAND, c.command, 0);
        ASSERT_EQ(cancel.seen().size(), 1u);
        EXPECT_EQ(cancel.seen()[0].title, c.title);
        EXPECT_EQ(cancel.seen()[0].filters, c.filters);
        EXPECT_EQ(cancel.seen()[0].initialName, c.name);
        EXPECT_TRUE(recorder.boxes().empty()) << "a cancel is not a failure";
    }
    // A saved document proposes its own name with the kind's extension.
    ASSERT_TRUE(SaveDocumentAs(CurrentShell(), DocumentKind::Project, TestPath(L"named.fic").c_str()));
    FileDialogAnswer cancel(L"");
    SendMessageW(window, WM_COMMAND, 32776, 0);
    ASSERT_EQ(cancel.seen().size(), 1u);
    EXPECT_EQ(cancel.seen()[0].initialName, L"named.ico");
    StopShell();
}

TEST(FileCommands, MenuCommandsOpenAndSaveThroughTheirDialogs)
{
    const std::wstring icon = WriteTestIcon(L"through the menu.ico", 24);
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    {
        FileDialogAnswer open(icon);
        SendMessageW(window, WM_COMMAND, 32772, 0);
    }
    PumpMessages();
    EXPECT_EQ(Context().document->firstImage->width, 24);
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - " + icon);
    Context().document->modified = 1;
    {
        FileDialogAnswer save(TestPath(L"through the menu saved"));
        SendMessageW(window, WM_COMMAND, 32778, 0);  // Save as Animated Cursor
    }
    EXPECT_TRUE(FileExists(TestPath(L"through the menu saved.ani")));
    EXPECT_EQ(Context().document->modified, 0u);
    {
        FileDialogAnswer fresh(L"");
        SendMessageW(window, WM_COMMAND, 32771, 0);  // New Project
    }
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - New Project");
    EXPECT_EQ(Context().document->firstImage->width, 48);
    StopShell();
}

TEST(FileCommands, EmptyFilesAreRefusedWithTheirMessage)
{
    Resource* empty = PYX_CreateNewResource();
    PYX_DeleteImage(empty->firstImage);
    empty->firstImage = nullptr;
    empty->imageCount = 0;
    const std::wstring project = TestPath(L"empty.fic");
    const bool written = PYX_SaveProjectToFile(nullptr, project.c_str(), empty) != 0;
    PYX_DoCleanupInternalResource(empty);
    if (!written)
        GTEST_SKIP() << "the project writer refuses a document without Images";
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    MessageBoxRecorder recorder;
    EXPECT_FALSE(OpenDocument(CurrentShell(), DocumentKind::Project, project.c_str()));
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].text, L"This file contains no icon.");
    EXPECT_EQ(WindowText(window), L"Vexil 1.0 - New Project");
    StopShell();
}

TEST(FileCommands, DropsOpenEveryDocumentKindButWaitForAPendingTransformation)
{
    Resource* document = MakeDocument({40});
    const struct {
        const wchar_t* name;
        int (*write)(HWND, const wchar_t*, Resource*);
        FileKind kind;
    } cases[] = {
        {L"dropped.ani", PYX_SaveAniToFile, kAniFileKind},
        {L"dropped.fic", PYX_SaveProjectToFile, kIconFileKind},  // the kind stored in the project
        {L"dropped.ico", PYX_SaveIconToFile, kIconFileKind},
        {L"dropped.cur", PYX_SaveCursorToFile, kCursorFileKind},
    };
    for (const auto& c : cases)
        ASSERT_EQ(c.write(nullptr, TestPath(c.name).c_str(), document), 1);
    PYX_DoCleanupInternalResource(document);
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        SendMessageW(window, WM_COMMAND, 32771, 0);  // a new document first
        MessageBoxRecorder recorder;
        CurrentShell().transformPending = 1;
        EXPECT_FALSE(OpenFileByPath(CurrentShell(), TestPath(c.name).c_str()));
        EXPECT_EQ(Context().document->firstImage->width, 48) << "ignored while a transformation waits";
        CurrentShell().transformPending = 0;
        EXPECT_TRUE(OpenFileByPath(CurrentShell(), TestPath(c.name).c_str()));
        EXPECT_TRUE(recorder.boxes().empty());
        EXPECT_EQ(Context().document->firstImage->width, 40);
        EXPECT_EQ(Context().document->fileKind, c.kind);
    }
    StopShell();
}

TEST(FileCommands, YesAtExitSavesTheProjectAndCancelInTheDialogKeepsTheProgram)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    Context().document->modified = 1;
    {
        MessageBoxAnswer yes(IDYES);
        FileDialogAnswer cancel(L"");
        SendMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(cancel.seen().size(), 1u);
        EXPECT_EQ(cancel.seen()[0].title, L"Save Project File ... ");
    }
    EXPECT_TRUE(IsWindow(window)) << "the changes were not saved, so the program stays";
    const std::wstring path = TestPath(L"saved at exit");
    {
        MessageBoxAnswer yes(IDYES);
        FileDialogAnswer save(path);
        SendMessageW(window, WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(IsWindow(window));
    Resource* saved = PYX_LoadProjectFromFile(nullptr, (path + L".fic").c_str());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->firstImage->width, 48);
    PYX_DoCleanupInternalResource(saved);
    StopShell();
}
