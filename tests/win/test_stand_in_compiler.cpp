// ZURIRIRU.EXE started as the editor starts it, with a message-only window of this test as the
// frame. ZURIRIRU.EXE also stands in for the editor it starts on a fault (ZURIRIRU_EDITOR): that
// start refuses its command line, but the shared log shows the line the editor would get.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// What the frame was told, in order: "1:<title of the announced window>", then "0:".
struct FrameRecord {
    bool closeOnStart = false;
    Lines notices;
};

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* record = reinterpret_cast<FrameRecord*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_COMMAND || LOWORD(wParam) != 600 || !record)
        return DefWindowProcA(window, message, wParam, lParam);
    const auto compiler = reinterpret_cast<HWND>(lParam);
    char title[64] = "";
    if (compiler) GetWindowTextA(compiler, title, sizeof title);
    record->notices.push_back(std::to_string(HIWORD(wParam)) + ":" + title);
    if (HIWORD(wParam) == 1 && record->closeOnStart) PostMessageA(compiler, WM_CLOSE, 0, 0);
    return 0;
}

const Lines kNotices = {"1:KESTREL Compiler (stand-in)", "0:"};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : "(none)";
}

class StandInCompiler : public ::testing::Test {
protected:
    void SetUp() override
    {
        char buffer[MAX_PATH];
        const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
        ASSERT_TRUE(n > 0 && n < sizeof buffer);
        compiler_.assign(buffer, n);
        compiler_ = compiler_.substr(0, compiler_.rfind('\\') + 1) + "ZURIRIRU.EXE";
        ASSERT_TRUE(GetTempPathA(sizeof buffer, buffer));
        script_ = std::string(buffer) + "ZURITEST.KSR";
        errors_ = std::string(buffer) + "ZURITEST.ERR";
        log_ = std::string(buffer) + "ZURITEST.LOG";
        SetEnvironmentVariableA("ZURIRIRU_LOG", log_.c_str());
        SetEnvironmentVariableA("ZURIRIRU_EDITOR", compiler_.c_str());
        WNDCLASSA wc{};
        wc.lpfnWndProc = FrameProc;
        wc.lpszClassName = "ZuriTestFrame";
        RegisterClassA(&wc);
        frame_ = CreateWindowExA(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(frame_, nullptr);
        SetWindowLongPtrA(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record_));
        Clean();
    }
    void TearDown() override
    {
        DestroyWindow(frame_);
        for (const char* name : {"ZURIRIRU_LOG", "ZURIRIRU_EDITOR", "ZURIRIRU_HOLD"})
            SetEnvironmentVariableA(name, nullptr);
        Clean();
    }
    void Clean() const
    {
        for (const std::string& f : {script_, errors_, log_}) DeleteFileA(f.c_str());
    }
    std::string Switch(int id = 600) const
    {
        return "/H" + std::to_string(reinterpret_cast<uintptr_t>(frame_)) + "," + std::to_string(id);
    }

    // Runs the compiler with these arguments, pumping messages until it has ended; its exit code.
    DWORD Compile(const std::string& arguments, bool closeOnStart = false)
    {
        record_ = FrameRecord{closeOnStart, {}};
        command_ = "\"" + compiler_ + "\" " + arguments;
        std::string line = command_;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(compiler_.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return 99;
        for (int i = 0; i < 300 && MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) !=
                                       WAIT_OBJECT_0;
             ++i) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        }
        DWORD code = 99;
        if (!GetExitCodeProcess(process.hProcess, &code) || code == STILL_ACTIVE)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }

    // The log's lines, waited for until there are count of them (the editor starts last).
    Lines Log(size_t count) const
    {
        Lines lines;
        for (int i = 0; i < 50 && lines.size() < count; ++i, Sleep(100)) {
            std::istringstream text(ReadAll(log_));
            lines.clear();
            for (std::string line; std::getline(text, line);)
                lines.push_back(line.substr(0, line.size() - 1));
        }
        return lines;
    }

    std::string compiler_, command_, script_, errors_, log_;
    HWND frame_ = nullptr;
    FrameRecord record_;
};

struct CompileCase {
    const char* script;  // null: no file
    const char* options;
    Lines faults;  // each after the path in the error file
    DWORD exitCode;
    const char* editorLine;  // null: the editor is not started
};

TEST_F(StandInCompiler, WritesTheErrorFileAndStartsTheEditorOnTheFirstFault)
{
    const CompileCase table[] = {
        {"print 1\r\npritn 2\r\nprint \"x\r\n",
         "  ",
         {"(2): unknown keyword 'pritn'", "(3): unterminated string"},
         1,
         "/G2"},
        {"proc A()\r\n\tprint \"a;b\" ; \"\r\nendproc\r\n", " /X /Y:2 ", {}, 0, nullptr},
        {nullptr, "  ", {"(1): cannot open file"}, 1, "/G1"},
    };
    for (const CompileCase& c : table) {
        Clean();
        std::ofstream(errors_, std::ios::binary) << "stale";
        if (c.script) std::ofstream(script_, std::ios::binary) << c.script;
        EXPECT_EQ(Compile(Switch() + c.options + "\"" + script_ + "\""), c.exitCode) << c.options;
        EXPECT_EQ(record_.notices, kNotices);
        std::string errors;
        for (const std::string& fault : c.faults) errors += script_ + fault + "\r\n";
        EXPECT_EQ(ReadAll(errors_), errors);
        Lines log{command_};
        if (c.editorLine) log.push_back("\"" + compiler_ + "\" " + c.editorLine + " \"" + script_ + "\"");
        EXPECT_EQ(Log(log.size()), log);
    }
}

TEST_F(StandInCompiler, BadCommandLinesEndWithTwoAndNoNotice)
{
    const std::string path = " \"" + script_ + "\"";
    for (const std::string& arguments :
         {path, "/H1,600" + path, Switch(0) + path, Switch(), Switch() + " \"\""}) {
        EXPECT_EQ(Compile(arguments), 2u) << arguments;
        EXPECT_TRUE(record_.notices.empty()) << arguments;
    }
    EXPECT_EQ(ReadAll(errors_), "(none)");
}

TEST_F(StandInCompiler, CloseWhileHoldingReportsTheEndAtOnce)
{
    std::ofstream(script_, std::ios::binary) << "pritn 1\r\n";
    SetEnvironmentVariableA("ZURIRIRU_HOLD", "20000");
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Compile(Switch() + "  \"" + script_ + "\"", true), 3u);
    EXPECT_LT(GetTickCount64() - start, 10000u);
    EXPECT_EQ(record_.notices, kNotices);
    EXPECT_EQ(ReadAll(errors_), "(none)");
}

}  // namespace
