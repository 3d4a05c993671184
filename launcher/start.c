/* Start.exe: the start program of a finished CD. Opens the start menu Index.hta that lies in
 * the program's own folder (not the working folder, which autorun does not set), falls back to
 * Index.htm, and tells the user when neither can be opened. */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#define PATH_CAPACITY 32768

static wchar_t folder[PATH_CAPACITY];
static wchar_t page[PATH_CAPACITY];
static wchar_t text[PATH_CAPACITY + 512];

static const wchar_t caption[] = L"Start";

/* Opens folder + name with the program registered for it; nonzero on success. */
static int openPage(const wchar_t* name) {
    if (lstrlenW(folder) + lstrlenW(name) >= PATH_CAPACITY) {
        return 0;
    }
    lstrcpyW(page, folder);
    lstrcatW(page, name);
    return (INT_PTR)ShellExecuteW(NULL, L"open", page, NULL, folder, SW_SHOWNORMAL) > 32;
}

static void reportFailure(void) {
    lstrcpyW(text, L"The start menu cannot be opened: neither Index.hta nor Index.htm in the folder ");
    lstrcatW(text, folder);
    lstrcatW(text, L" could be started.");
    MessageBoxW(NULL, text, caption, MB_OK | MB_ICONERROR);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    DWORD length;
    wchar_t* last;
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;

    length = GetModuleFileNameW(NULL, folder, PATH_CAPACITY);
    if (length == 0 || length >= PATH_CAPACITY) {
        MessageBoxW(NULL, L"The start menu cannot be opened: the folder of Start.exe is unknown.", caption,
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    /* Keep the folder with its trailing backslash. */
    last = NULL;
    for (wchar_t* c = folder; *c != 0; ++c) {
        if (*c == L'\\' || *c == L'/') {
            last = c;
        }
    }
    if (last != NULL) {
        last[1] = 0;
    } else {
        folder[0] = 0;
    }

    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (openPage(L"Index.hta") || openPage(L"Index.htm")) {
        return 0;
    }
    reportFailure();
    return 1;
}

/* The program's entry point: the build links no C runtime start-up code, which keeps the
 * program a few kilobytes small. */
void startProgram(void) {
    ExitProcess((UINT)WinMain(GetModuleHandleW(NULL), NULL, NULL, SW_SHOWNORMAL));
}
