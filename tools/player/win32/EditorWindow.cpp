// The player's window on Windows: a top-level window of the editor's size, its messages
// dispatched here, the editor's idle every 33 ms, a screenshot through the Windows Imaging
// Component.
#include "tools/player/EditorWindow.h"

#include <windows.h>
#include <wincodec.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "gui/KeyCode.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"
#include "tools/host/Utf8Path.h"

namespace vsthost {

namespace {

constexpr auto kIdlePeriod = std::chrono::milliseconds(33);
constexpr const wchar_t* kClassName = L"MarvolenzikHostWindow";

// The keys editors handle, in the numbering hosts forward them in.
uint8_t virtualKey(WPARAM key) {
    switch (key) {
        case VK_TAB:
            return VSTGUI::VKEY_TAB;
        case VK_RETURN:
            return VSTGUI::VKEY_RETURN;
        case VK_LEFT:
            return VSTGUI::VKEY_LEFT;
        case VK_UP:
            return VSTGUI::VKEY_UP;
        case VK_RIGHT:
            return VSTGUI::VKEY_RIGHT;
        case VK_DOWN:
            return VSTGUI::VKEY_DOWN;
        default:
            return 0;
    }
}

std::wstring wide(const std::string& text) { return pathFromUtf8(text).wstring(); }

}  // namespace

struct EditorWindow::Native {
    HWND window = nullptr;
    int width = 0, height = 0;
    bool closed = false;
    PluginEditor* editor = nullptr;

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Native*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) {
            if (message == WM_CLOSE) {
                self->closed = true;
                return 0;
            }
            if ((message == WM_KEYDOWN || message == WM_KEYUP) && virtualKey(wParam)) {
                uint8_t modifiers = 0;
                if (GetKeyState(VK_SHIFT) < 0) modifiers |= VSTGUI::MODIFIER_SHIFT;
                if (GetKeyState(VK_CONTROL) < 0) modifiers |= VSTGUI::MODIFIER_CONTROL;
                self->editor->key(message == WM_KEYDOWN, 0, virtualKey(wParam), modifiers);
                return 0;
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

EditorWindow::EditorWindow(PluginEditor& editor, const std::string& title)
    : editor(editor), native(std::make_unique<Native>()) {
    Native& n = *native;
    n.width = editor.width();
    n.height = editor.height();
    n.editor = &editor;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Native::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT area{0, 0, n.width, n.height};
    AdjustWindowRect(&area, style, FALSE);
    n.window = CreateWindowExW(0, kClassName, wide(title).c_str(), style, 0, 0, area.right - area.left,
                               area.bottom - area.top, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!n.window) throw ToolError("cannot make a window");
    SetWindowLongPtrW(n.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(native.get()));
    ShowWindow(n.window, SW_SHOWNORMAL);
    UpdateWindow(n.window);
    if (!editor.open(reinterpret_cast<uintptr_t>(n.window))) {
        DestroyWindow(n.window);
        throw ToolError("the plug-in did not open its editor");
    }
}

EditorWindow::~EditorWindow() {
    if (native->window) DestroyWindow(native->window);
}

void EditorWindow::run(const std::function<bool()>& keepRunning) {
    auto next = std::chrono::steady_clock::now();
    while (keepRunning() && !native->closed) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        editor.idle(false);
        next += kIdlePeriod;
        std::this_thread::sleep_until(next);
    }
}

bool EditorWindow::writeScreenshot(const std::string& path) {
    const int width = native->width, height = native->height;
    // What the screen shows of the window's inside, the editor's child window included.
    POINT origin{0, 0};
    if (!native->window || !ClientToScreen(native->window, &origin)) return false;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();

    bool written = false;
    IWICImagingFactory* factory = nullptr;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
        IWICStream* stream = nullptr;
        IWICBitmapEncoder* encoder = nullptr;
        IWICBitmapFrameEncode* frame = nullptr;
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
        written = SUCCEEDED(factory->CreateStream(&stream)) &&
                  SUCCEEDED(stream->InitializeFromFilename(wide(path).c_str(), GENERIC_WRITE)) &&
                  SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
                  SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
                  SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
                  SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
                  SUCCEEDED(frame->SetPixelFormat(&format)) &&
                  SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                                               static_cast<UINT>(width) * 4 * static_cast<UINT>(height),
                                               static_cast<BYTE*>(pixels))) &&
                  SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
        if (frame) frame->Release();
        if (encoder) encoder->Release();
        if (stream) stream->Release();
        factory->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return written;
}

}  // namespace vsthost
