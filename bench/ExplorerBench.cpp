// The explorer opening a folder of 5,000 files and a 4,000-line C++ file: the time until the window shows
// the filled tree and the file with its visible lines coloured, the time until the whole file is coloured
// (in steps between input), and the longest single step, which is how long input can wait.
#include "ExplorerWindow.h"
#include "FileBytes.h"

#include "frame/WinApp.h"

#include <cstdio>
#include <string>

namespace
{
double Now()
{
    static LARGE_INTEGER s_frequency = [] { LARGE_INTEGER f; ::QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

// A C++ file of nLines lines with the usual mix: comments over several lines, strings, numbers, keywords.
std::string SourceText(int nLines)
{
    const char* lines[] = { "/* A block comment that", "   spans two lines. */", "int Compute(int nValue)", "{",
                            "    // a line comment", "    const char* psz = \"text\";", "    return nValue * 42 + 3.5;",
                            "}", "" };
    std::string text;
    for (int i = 0; i < nLines; ++i)
        text += std::string(lines[i % 9]) + "\r\n";
    return text;
}

std::wstring MakeFolder(int nFiles, int nLines)
{
    wchar_t szTemp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring folder = std::wstring(szTemp) + L"tav-explorer-bench";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ReplaceFileBytes(folder + L"\\a-source.cpp", SourceText(nLines));
    for (int i = 0; i < nFiles - 1; ++i)
    {
        const std::wstring path = folder + L"\\file-" + std::to_wstring(i) + L".txt";
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            ReplaceFileBytes(path, "x\r\n");
    }
    return folder;
}
}

int main()
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES };
    ::InitCommonControlsEx(&controls);
    const int nFiles = 5000, nLines = 4000;
    const std::wstring folder = MakeFolder(nFiles, nLines);

    std::printf("%-7s | %-11s | %-14s | %-13s | %-13s | %-6s\n", "run", "tree filled", "window shown,", "file coloured",
                "longest step", "steps");
    std::printf("%-7s | %-11s | %-14s | %-13s | %-13s | %-6s\n", "", "s", "visible lines", "s", "ms", "");
    std::printf("%-7s | %-11s | %-14s | %-13s | %-13s | %-6s\n", "", "", "coloured, s", "", "", "");
    std::printf("--------+-------------+----------------+---------------+---------------+-------\n");
    for (int nRun = 1; nRun <= 3; ++nRun)
    {
        const double dStart = Now();
        CExplorerWindow explorer(L"");
        explorer.CreateExplorer(folder, CRect(0, 0, 1000, 700), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        const double dTree = Now() - dStart;
        CEditorPage* pPage = explorer.OpenFile(folder + L"\\a-source.cpp");
        explorer.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const double dShown = Now() - dStart;
        CExplorerEdit& edit = pPage->GetEdit();
        while (!edit.IsColouringDone())
        {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            AfxPumpWaitingMessages();
        }
        const double dColoured = Now() - dStart;
        std::printf("%-7d | %11.2f | %14.2f | %13.2f | %13lu | %6d\n", nRun, dTree, dShown, dColoured,
                    edit.GetLongestStep(), edit.GetStepCount());
        explorer.DestroyWindow();
    }
    std::printf("%d files in the folder, a %d-line C++ file opened\n", nFiles, nLines);
    return 0;
}
