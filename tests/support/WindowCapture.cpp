#include "support/WindowCapture.h"

#include <wincodec.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/Handles.h"
#include "platform/Text.h"

namespace orvelin::test {

namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<BYTE> bgra;   // top-down rows, 4 bytes a pixel
};

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) throw std::runtime_error(std::string("window capture: ") + what + " failed");
}

// Another process's window can only be read where the screen shows it: copy that part of the
// screen. Drawing into our own device context (PrintWindow) would need the window's process.
Pixels CopyFromScreen(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Let the owner repaint.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));

    RECT r;
    if (!GetWindowRect(window, &r)) throw std::runtime_error("window capture: no such window");
    Pixels pixels;
    pixels.width = r.right - r.left;
    pixels.height = r.bottom - r.top;
    if (pixels.width <= 0 || pixels.height <= 0) throw std::runtime_error("window capture: the window is empty");

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    const HDC screen = GetDC(nullptr);
    const UniqueMemoryDc memory(CreateCompatibleDC(screen));
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bool copied = false;
    if (memory && bitmap) {
        const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
        copied = BitBlt(memory.Get(), 0, 0, pixels.width, pixels.height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        SelectObject(memory.Get(), previous);
    }
    ReleaseDC(nullptr, screen);
    if (!copied) throw std::runtime_error("window capture: the screen could not be read");

    const auto* source = static_cast<const BYTE*>(bits);
    pixels.bgra.assign(source, source + static_cast<size_t>(pixels.width) * pixels.height * 4);
    // The screen has no alpha channel: make every pixel opaque.
    for (size_t i = 3; i < pixels.bgra.size(); i += 4) pixels.bgra[i] = 0xFF;
    return pixels;
}

void WritePng(const Pixels& pixels, const std::wstring& pngFile) {
    ComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory.PutVoid()),
          "creating the imaging factory");
    ComPtr<IWICBitmap> bitmap;
    const UINT stride = static_cast<UINT>(pixels.width) * 4;
    Check(factory->CreateBitmapFromMemory(pixels.width, pixels.height, GUID_WICPixelFormat32bppBGRA, stride,
                                          static_cast<UINT>(pixels.bgra.size()), const_cast<BYTE*>(pixels.bgra.data()),
                                          bitmap.Put()),
          "making the bitmap");
    ComPtr<IWICStream> stream;
    Check(factory->CreateStream(stream.Put()), "creating the stream");
    Check(stream->InitializeFromFilename(pngFile.c_str(), GENERIC_WRITE), "opening the file");
    ComPtr<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put()), "creating the PNG encoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "starting the encoder");
    ComPtr<IWICBitmapFrameEncode> frame;
    Check(encoder->CreateNewFrame(frame.Put(), nullptr), "adding a frame");
    Check(frame->Initialize(nullptr), "starting the frame");
    Check(frame->SetSize(pixels.width, pixels.height), "sizing the frame");
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    Check(frame->SetPixelFormat(&format), "choosing the pixel format");
    Check(frame->WriteSource(bitmap.Get(), nullptr), "writing the pixels");
    Check(frame->Commit(), "finishing the frame");
    Check(encoder->Commit(), "finishing the file");
}

}  // namespace

void CaptureWindowPng(HWND window, const std::wstring& pngFile) { WritePng(CopyFromScreen(window), pngFile); }

}  // namespace orvelin::test
