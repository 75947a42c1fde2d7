// What leaves the Win32 window: the commands wait for a completed run and are off during one;
// the saved PNG and the clipboard's bitmap hold the shown picture's exact pixels; the results
// and the report are written; a failed write says so in a message box and keeps the earlier file.
#include "WinTests.h"

#include "winapp/resource.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace verrask::win::test {
namespace {

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH + 1]{};
    GetTempPathW(MAX_PATH + 1, folder);
    std::wstring path = std::wstring(folder) + L"verrask-exports";
    CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\";
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t BigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// Pixels of the picture that differ from the PNG (8-bit RGB, filter 0 rows); -1 if unreadable.
int PngDifferences(const std::string& file, const sheetpile::TBitmap& picture) {
    const auto* png = reinterpret_cast<const unsigned char*>(file.data());
    const int width = picture.Width(), height = picture.Height();
    std::vector<unsigned char> idat;
    for (std::size_t p = 8; p + 12 <= file.size();) {
        const std::uint32_t size = BigEndian32(png + p);
        if (p + 12 + size > file.size()) return -1;
        const std::string type(file, p + 4, 4);
        if (type == "IHDR" && (BigEndian32(png + p + 8) != static_cast<std::uint32_t>(width) ||
                               BigEndian32(png + p + 12) != static_cast<std::uint32_t>(height)))
            return -1;
        if (type == "IDAT") idat.insert(idat.end(), png + p + 8, png + p + 8 + size);
        p += 12 + size;
    }
    const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(width);
    std::vector<unsigned char> raw(rowBytes * static_cast<std::size_t>(height));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())) != Z_OK ||
        rawSize != raw.size())
        return -1;
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = &raw[rowBytes * static_cast<std::size_t>(y) + 1 + 3 * x];
            const sheetpile::TColor c = picture.GetPixel(x, y);
            wrong += px[0] != sheetpile::RedOf(c) || px[1] != sheetpile::GreenOf(c) ||
                     px[2] != sheetpile::BlueOf(c);
        }
    return wrong;
}

bool MenuEnabled(const TWindow& w, UINT id) {
    return (GetMenuState(w->MainMenu1, id, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

} // namespace

TEST(WindowExports, CommandsWaitForACompletedRunAndWriteItsFiles) {
    TWindow w;
    w.Show();
    const std::wstring folder = TempFolder();
    const std::wstring picture = folder + L"net.png";
    DeleteFileW(picture.c_str());
    w->SavePicture1Click(&picture); // before any run: nothing to save
    EXPECT_EQ(GetFileAttributesW(picture.c_str()), INVALID_FILE_ATTRIBUTES);

    TWindow::Click(w->Button1);
    for (UINT id : {IDM_SAVEPICTURE, IDM_EXPORTRESULTS, IDM_EXPORTREPORT, IDM_COPY})
        EXPECT_FALSE(MenuEnabled(w, id)); // during the run
    ASSERT_TRUE(PumpUntil([&] { return w->LiveWorkers() == 0; }));
    for (UINT id : {IDM_SAVEPICTURE, IDM_EXPORTRESULTS, IDM_EXPORTREPORT, IDM_COPY})
        EXPECT_TRUE(MenuEnabled(w, id));

    const sheetpile::TBitmap& shown = w.Model->ShownPicture;
    w->SavePicture1Click(&picture);
    EXPECT_EQ(w->LastError, "");
    EXPECT_EQ(PngDifferences(ReadAll(picture), shown), 0);

    w->Copy1Click();
    ASSERT_EQ(w->LastError, "");
    ASSERT_TRUE(OpenClipboard(w->Handle));
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(header->biWidth, shown.Width());
    EXPECT_EQ(header->biHeight, shown.Height()); // bottom-up
    EXPECT_EQ(header->biBitCount, 24);
    const auto* bits = reinterpret_cast<const unsigned char*>(header + 1);
    const std::size_t stride = (static_cast<std::size_t>(shown.Width()) * 3 + 3) & ~std::size_t{3};
    int wrong = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x) {
            const unsigned char* px =
                bits + stride * static_cast<std::size_t>(shown.Height() - 1 - y) + 3 * x;
            const sheetpile::TColor c = shown.GetPixel(x, y);
            wrong += px[2] != sheetpile::RedOf(c) || px[1] != sheetpile::GreenOf(c) ||
                     px[0] != sheetpile::BlueOf(c);
        }
    EXPECT_EQ(wrong, 0);
    GlobalUnlock(dib);
    CloseClipboard();

    const std::wstring results = folder + L"run.json", sheet = folder + L"sheet.html";
    w->ExportResults1Click(&results);
    EXPECT_EQ(w->LastError, "");
    const std::string json = ReadAll(results);
    EXPECT_EQ(json.rfind("{\"run\":1,\"inputs\":{\"left\":\"0\"", 0), 0u) << json.substr(0, 80);
    EXPECT_NE(json.find("\"message\":\"" + w->MessageText.substr(0, 10)), std::string::npos);
    EXPECT_NE(json.find(",\"checks\":{\"grid_step\":0.04,"), std::string::npos); // as --checks
    for (const char* grid : report::CsvNames)
        EXPECT_FALSE(ReadAll(folder + L"run-" + Widen(grid)).empty()) << grid;

    AcceptDetails();
    w->ExportReport1Click(&sheet);
    EXPECT_EQ(w->LastError, "");
    const std::string html = ReadAll(sheet);
    EXPECT_NE(html.find("data:image/png;base64,"), std::string::npos);
    EXPECT_NE(html.find("</html>"), std::string::npos);
}

TEST(WindowExports, ReportDetailsAreAskedFirstAndKeptForTheSession) {
    TWindow w;
    w.Show();
    ASSERT_TRUE(w.RunToResults());
    const std::wstring sheet = TempFolder() + L"details.html", none = TempFolder() + L"none.html";
    DeleteFileW(none.c_str());
    AnswerDetails([](TReportInfoDialog& d) {
        TWindow::Type(d.Boxes[0], "Cofferdam <B> & Co");
        TWindow::Type(d.Boxes[2], "A. Engineer");
        TWindow::Type(d.Boxes[3], "line 1\r\nline 2");
        SendMessageW(d.OkButton, BM_CLICK, 0, 0);
    });
    w->ExportReport1Click(&sheet);
    EXPECT_EQ(w->LastError, "");
    EXPECT_EQ(w->Session.Info.Project, "Cofferdam <B> & Co");
    EXPECT_EQ(w->Session.Info.Structure, "");
    EXPECT_EQ(w->Session.Info.Engineer, "A. Engineer");
    EXPECT_EQ(w->Session.Info.Note, "line 1\nline 2");
    EXPECT_EQ(w->ReportContent().Info.Project, "Cofferdam <B> & Co");
    EXPECT_FALSE(ReadAll(sheet).empty());
    // Cancel (IDCANCEL, as Escape gives) exports nothing and keeps the details; they open
    // prefilled.
    std::string shown;
    AnswerDetails([&shown](TReportInfoDialog& d) {
        shown = TWindow::Text(d.Boxes[3]);
        TWindow::Type(d.Boxes[0], "typed, then cancelled");
        SendMessageW(d.Handle, WM_COMMAND, IDCANCEL, 0);
    });
    w->ExportReport1Click(&none);
    EXPECT_EQ(shown, "line 1\r\nline 2");
    EXPECT_EQ(w->Session.Info.Project, "Cofferdam <B> & Co");
    EXPECT_EQ(GetFileAttributesW(none.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(IsWindowEnabled(w->Handle));
}

TEST(WindowExports, InputsFileFillsTheBoxesAndTheSettings) {
    TWindow w;
    w.Show();
    const std::wstring saved = TempFolder() + L"\u03B3 site", newer = TempFolder() + L"newer.json";
    TWindow::Type(w->Edit2, "1.5");
    checks::TCheckSettings settings;
    settings.GammaW = 9.9L;
    w->DesignChecks1Click();
    w->ChecksForm()->LoadSettings(settings);
    w->SaveInputs1Click(&saved); // the filter's ".json" is added
    EXPECT_EQ(w->LastError, "");

    TWindow::Type(w->Edit2, "3");
    w->ChecksForm()->LoadSettings(checks::TCheckSettings{});
    const std::wstring opened = saved + L".json";
    w->OpenInputs1Click(&opened);
    EXPECT_EQ(w->LastError, "");
    EXPECT_EQ(TWindow::Text(w->Edit2), "1.5");
    EXPECT_EQ(w->ChecksForm()->Settings().GammaW, 9.9L);
    EXPECT_EQ(TWindow::Text(w->ChecksForm()->Fields[0]), "9.9");
    EXPECT_FALSE(w->ResultCommandsEnabled()); // RUN is not pressed

    // A newer version is refused with the path and why, and nothing changes.
    std::string text = ReadAll(opened);
    text.replace(text.find("\"version\": 1"), 12, "\"version\": 2");
    text.replace(text.find("\"1.5\""), 5, "\"7\"");
    { std::ofstream(std::filesystem::path(newer), std::ios::binary) << text; }
    std::vector<std::wstring> boxes;
    w->ShowMessageBox = [&](const std::wstring& shown) { boxes.push_back(shown); };
    w->OpenInputs1Click(&newer);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind(L"The inputs were not opened.", 0), 0u);
    EXPECT_NE(w->LastError.find("newer.json: version 2 is newer"), std::string::npos);
    EXPECT_EQ(TWindow::Text(w->Edit2), "1.5");
}

TEST(WindowExports, AFailedWriteSaysSoAndKeepsTheEarlierFile) {
    TWindow w;
    w.Show();
    ASSERT_TRUE(w.RunToResults());
    const std::wstring folder = TempFolder();
    const std::wstring report = folder + L"kept.html", part = report + L".part";
    { std::ofstream(std::filesystem::path(report), std::ios::binary) << "earlier"; }
    CreateDirectoryW(part.c_str(), nullptr); // the temporary file cannot be made
    std::vector<std::wstring> boxes;         // what the message boxes said
    w->ShowMessageBox = [&](const std::wstring& text) { boxes.push_back(text); };
    AcceptDetails();
    w->ExportReport1Click(&report);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind(L"The report was not written.", 0), 0u);
    EXPECT_NE(w->LastError, "");
    EXPECT_EQ(ReadAll(report), "earlier");
    RemoveDirectoryW(part.c_str());

    const std::wstring missing = folder + L"no such folder\\net.png";
    w->SavePicture1Click(&missing);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].rfind(L"The picture was not saved.", 0), 0u);
    EXPECT_NE(w->LastError, "");
    EXPECT_TRUE(w->ResultCommandsEnabled()); // the run's results are still there

    // A name outside the code page is written under that very name.
    const std::wstring greek = folder + L"\u03B3\u03B5\u03C9.png";
    w->SavePicture1Click(&greek);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(w->LastError, "");
    EXPECT_EQ(ReadAll(greek).substr(1, 3), "PNG");
    // Export Results adds the filter's extension to a bare name; the set carries the fields.
    const std::wstring bare = folder + L"\u03C8 run";
    w->ExportResults1Click(&bare);
    EXPECT_EQ(w->LastError, "");
    EXPECT_FALSE(ReadAll(bare + L".json").empty());
    EXPECT_EQ(ReadAll(folder + L"\u03C8 run-fields.csv").rfind("x (m),z (m),", 0), 0u);
}

} // namespace verrask::win::test
