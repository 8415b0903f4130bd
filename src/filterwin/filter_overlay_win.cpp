#include "filterwin/filter_overlay_win.h"

#include <d3d11.h>
#include <d3dcompiler.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "filterwin/filter_shaders.h"
#include "ui/ui_metrics_win.h"

#ifndef PW_RENDERFULLCONTENT
#define PW_RENDERFULLCONTENT 0x00000002
#endif

namespace {
constexpr DWORD kSearchStepMs = 200;
constexpr DWORD kSearchLimitMs = 29999;
constexpr DWORD kHiddenPollMs = 60;
constexpr DWORD kSmallWindowPollMs = 30;
constexpr DWORD kPrintRetryMs = 10;
constexpr int kSmallestMameClient = 64;  // smaller windows are not MAME's game window
constexpr int kSmallestPicture = 16;     // below this the picture is not drawn
const wchar_t kOverlayClass[] = L"KorvoFilter";

// Waits up to `ms`; true when the overlay was asked to stop.
bool WaitForStop(OverlayRun& run, DWORD ms) {
  if (run.stop) return true;
  WaitForSingleObject(run.stop_event, ms);
  return run.stop;
}

struct WindowSearch {
  DWORD process_id = 0;
  HWND found = nullptr;
};

BOOL CALLBACK TestWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (process_id != search->process_id || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
  wchar_t title[2];
  if (GetWindowTextW(window, title, 2) < 1) return TRUE;
  RECT client;
  if (!GetClientRect(window, &client) || client.right < kSmallestMameClient || client.bottom < kSmallestMameClient)
    return TRUE;
  search->found = window;
  return FALSE;
}

// MAME's game window: polled until it shows, MAME's start takes a moment.
HWND FindMameWindow(OverlayRun& run) {
  DWORD start = GetTickCount();
  while (!run.stop) {
    WindowSearch search{run.process_id, nullptr};
    EnumWindows(TestWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start > kSearchLimitMs || WaitForStop(run, kSearchStepMs)) break;
  }
  return nullptr;
}

LRESULT CALLBACK OverlayProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTTRANSPARENT;  // every click goes through to MAME
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

HWND CreateOverlayWindow(const RECT& monitor) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterLauncherClass(instance, kOverlayClass, OverlayProc, false)) return nullptr;
  HWND window = CreateWindowExW(
      WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, kOverlayClass, L"",
      WS_POPUP, monitor.left, monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top, nullptr,
      nullptr, instance, nullptr);
  if (window) SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
  return window;
}

template <typename T>
void Release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

template <typename Fn>
Fn LibraryFunction(HMODULE library, const char* name) {
  return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// Every graphics object of one overlay run, released together.
struct Graphics {
  HMODULE d3d11 = nullptr, compiler = nullptr;
  pD3DCompile compile = nullptr;
  int width = 0, height = 0;  // the monitor's
  ID3D11Device* device = nullptr;
  ID3D11DeviceContext* context = nullptr;
  IDXGISwapChain* swap_chain = nullptr;
  ID3D11RenderTargetView* back_buffer = nullptr;
  ID3D11VertexShader* vs_disp = nullptr;
  ID3D11PixelShader *ps_plain = nullptr, *ps_xbrz = nullptr, *ps_fxaa = nullptr;
  ID3D11SamplerState *point_sampler = nullptr, *linear_sampler = nullptr;
  ID3D11Buffer* constants = nullptr;
  ID3D11RasterizerState* rasterizer = nullptr;
  ID3D11Texture2D* fxaa_texture = nullptr;  // pass 1's target when FXAA runs
  ID3D11ShaderResourceView* fxaa_view = nullptr;
  ID3D11RenderTargetView* fxaa_target = nullptr;
  ID3D11Texture2D* source = nullptr;  // MAME's client area
  ID3D11ShaderResourceView* source_view = nullptr;
  int source_w = 0, source_h = 0;

  void DropFxaa() {
    Release(fxaa_target);
    Release(fxaa_view);
    Release(fxaa_texture);
    Release(ps_fxaa);
  }
  ~Graphics() {
    if (context) context->ClearState();
    Release(source_view);
    Release(source);
    DropFxaa();
    Release(rasterizer);
    Release(constants);
    Release(linear_sampler);
    Release(point_sampler);
    Release(ps_xbrz);
    Release(ps_plain);
    Release(vs_disp);
    Release(back_buffer);
    Release(swap_chain);
    Release(context);
    Release(device);
    if (compiler) FreeLibrary(compiler);
    if (d3d11) FreeLibrary(d3d11);
  }
};

// The memory bitmap MAME's whole window is printed into.
struct Capture {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ original = nullptr;
  const uint32_t* bits = nullptr;
  int width = 0, height = 0;

  bool Resize(int w, int h) {
    Free();
    if (!dc) dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap) return false;
    original = SelectObject(dc, bitmap);
    bits = static_cast<const uint32_t*>(pixels);
    width = w;
    height = h;
    return true;
  }
  void Free() {
    if (bitmap) {
      SelectObject(dc, original);
      DeleteObject(bitmap);
    }
    bitmap = nullptr;
    bits = nullptr;
    width = height = 0;
  }
  ~Capture() {
    Free();
    if (dc) DeleteDC(dc);
  }
};

bool LoadCompiler(Graphics& g) {
  g.compiler = LoadLibraryW(L"d3dcompiler_47.dll");
  g.compile = LibraryFunction<pD3DCompile>(g.compiler, "D3DCompile");
  return g.compile != nullptr;
}

bool CreateDevice(Graphics& g, HWND overlay) {
  g.d3d11 = LoadLibraryW(L"d3d11.dll");
  auto create = LibraryFunction<PFN_D3D11_CREATE_DEVICE_AND_SWAP_CHAIN>(g.d3d11, "D3D11CreateDeviceAndSwapChain");
  if (!create) return false;
  DXGI_SWAP_CHAIN_DESC desc = {};
  desc.BufferCount = 1;
  desc.BufferDesc.Width = static_cast<UINT>(g.width);
  desc.BufferDesc.Height = static_cast<UINT>(g.height);
  desc.BufferDesc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
  desc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
  desc.OutputWindow = overlay;
  desc.SampleDesc.Count = 1;
  desc.Windowed = TRUE;
  desc.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
  const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_1, D3D_FEATURE_LEVEL_10_0};
  if (FAILED(create(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, levels, 3, D3D11_SDK_VERSION, &desc,
                    &g.swap_chain, &g.device, nullptr, &g.context)))
    return false;
  ID3D11Texture2D* back = nullptr;
  if (FAILED(g.swap_chain->GetBuffer(0, __uuidof(ID3D11Texture2D), reinterpret_cast<void**>(&back)))) return false;
  HRESULT hr = g.device->CreateRenderTargetView(back, nullptr, &g.back_buffer);
  back->Release();
  return SUCCEEDED(hr);
}

ID3DBlob* CompileEntry(const Graphics& g, const std::string& text, const char* entry, const char* target) {
  ID3DBlob* code = nullptr;
  ID3DBlob* errors = nullptr;
  HRESULT hr = g.compile(text.data(), text.size(), kFilterShaderName, nullptr, nullptr, entry, target, 0, 0, &code,
                         &errors);
  Release(errors);
  if (FAILED(hr)) Release(code);
  return code;
}

bool CreatePixelShader(const Graphics& g, const std::string& text, const char* entry, ID3D11PixelShader** shader) {
  ID3DBlob* code = CompileEntry(g, text, entry, "ps_4_0");
  if (!code) return false;
  HRESULT hr = g.device->CreatePixelShader(code->GetBufferPointer(), code->GetBufferSize(), nullptr, shader);
  code->Release();
  return SUCCEEDED(hr);
}

bool CreateShaders(Graphics& g, const FilterChoice& choice) {
  std::string scaling = ScalingShaderText();
  ID3DBlob* vs = CompileEntry(g, scaling, "vs_disp", "vs_4_0");
  if (!vs) return false;
  HRESULT hr = g.device->CreateVertexShader(vs->GetBufferPointer(), vs->GetBufferSize(), nullptr, &g.vs_disp);
  vs->Release();
  if (FAILED(hr) || !CreatePixelShader(g, scaling, "ps_plain", &g.ps_plain)) return false;
  if (choice.scaler == kScalerXbrz && !CreatePixelShader(g, scaling, "ps_xbrz", &g.ps_xbrz)) return false;
  // FXAA is an extra: without its shader the overlay runs without it.
  if (choice.fxaa) CreatePixelShader(g, FxaaShaderText(), "ps_fxaa", &g.ps_fxaa);
  return true;
}

bool CreateSampler(const Graphics& g, D3D11_FILTER filter, ID3D11SamplerState** sampler) {
  D3D11_SAMPLER_DESC desc = {};
  desc.Filter = filter;
  desc.AddressU = desc.AddressV = desc.AddressW = D3D11_TEXTURE_ADDRESS_CLAMP;
  desc.ComparisonFunc = D3D11_COMPARISON_NEVER;
  desc.MaxLOD = D3D11_FLOAT32_MAX;
  return SUCCEEDED(g.device->CreateSamplerState(&desc, sampler));
}

bool CreateStates(Graphics& g) {
  if (!CreateSampler(g, D3D11_FILTER_MIN_MAG_MIP_POINT, &g.point_sampler) ||
      !CreateSampler(g, D3D11_FILTER_MIN_MAG_MIP_LINEAR, &g.linear_sampler))
    return false;
  D3D11_BUFFER_DESC buffer = {};
  buffer.ByteWidth = sizeof(DispConstants);
  buffer.Usage = D3D11_USAGE_DEFAULT;
  buffer.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
  if (FAILED(g.device->CreateBuffer(&buffer, nullptr, &g.constants))) return false;
  D3D11_RASTERIZER_DESC raster = {};
  raster.FillMode = D3D11_FILL_SOLID;
  raster.CullMode = D3D11_CULL_NONE;
  raster.DepthClipEnable = TRUE;
  return SUCCEEDED(g.device->CreateRasterizerState(&raster, &g.rasterizer));
}

// The monitor-sized picture pass 1 draws into when FXAA follows; when any
// part fails FXAA is dropped and pass 1 draws to the screen.
void CreateFxaaTarget(Graphics& g) {
  if (!g.ps_fxaa) return;
  D3D11_TEXTURE2D_DESC desc = {};
  desc.Width = static_cast<UINT>(g.width);
  desc.Height = static_cast<UINT>(g.height);
  desc.MipLevels = 1;
  desc.ArraySize = 1;
  desc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
  desc.SampleDesc.Count = 1;
  desc.Usage = D3D11_USAGE_DEFAULT;
  desc.BindFlags = D3D11_BIND_SHADER_RESOURCE | D3D11_BIND_RENDER_TARGET;
  if (FAILED(g.device->CreateTexture2D(&desc, nullptr, &g.fxaa_texture)) ||
      FAILED(g.device->CreateShaderResourceView(g.fxaa_texture, nullptr, &g.fxaa_view)) ||
      FAILED(g.device->CreateRenderTargetView(g.fxaa_texture, nullptr, &g.fxaa_target)))
    g.DropFxaa();
}

bool ResizeSource(Graphics& g, int w, int h) {
  Release(g.source_view);
  Release(g.source);
  g.source_w = g.source_h = 0;
  D3D11_TEXTURE2D_DESC desc = {};
  desc.Width = static_cast<UINT>(w);
  desc.Height = static_cast<UINT>(h);
  desc.MipLevels = 1;
  desc.ArraySize = 1;
  desc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
  desc.SampleDesc.Count = 1;
  desc.Usage = D3D11_USAGE_DYNAMIC;
  desc.BindFlags = D3D11_BIND_SHADER_RESOURCE;
  desc.CPUAccessFlags = D3D11_CPU_ACCESS_WRITE;
  if (FAILED(g.device->CreateTexture2D(&desc, nullptr, &g.source)) ||
      FAILED(g.device->CreateShaderResourceView(g.source, nullptr, &g.source_view)))
    return false;
  g.source_w = w;
  g.source_h = h;
  return true;
}

// Copies the client area, at (x, y) inside the printed window, into the texture.
bool Upload(Graphics& g, const Capture& capture, int x, int y) {
  if (x < 0 || y < 0 || x + g.source_w > capture.width || y + g.source_h > capture.height) return false;
  D3D11_MAPPED_SUBRESOURCE mapped;
  if (FAILED(g.context->Map(g.source, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) return false;
  auto* out = static_cast<uint8_t*>(mapped.pData);
  size_t row_bytes = static_cast<size_t>(g.source_w) * 4;
  for (int row = 0; row < g.source_h; ++row)
    std::memcpy(out + static_cast<size_t>(row) * mapped.RowPitch,
                capture.bits + static_cast<size_t>(y + row) * capture.width + x, row_bytes);
  g.context->Unmap(g.source, 0);
  return true;
}

void DrawPass(Graphics& g, ID3D11RenderTargetView* target, ID3D11PixelShader* shader, const DispConstants& k,
              ID3D11ShaderResourceView* picture) {
  g.context->OMSetRenderTargets(1, &target, nullptr);
  g.context->PSSetShader(shader, nullptr, 0);
  g.context->UpdateSubresource(g.constants, 0, nullptr, &k, 0, 0);
  g.context->VSSetConstantBuffers(0, 1, &g.constants);
  g.context->PSSetConstantBuffers(0, 1, &g.constants);
  ID3D11SamplerState* samplers[2] = {g.point_sampler, g.linear_sampler};
  g.context->PSSetSamplers(0, 2, samplers);
  g.context->PSSetShaderResources(1, 1, &picture);
  g.context->Draw(4, 0);
  ID3D11ShaderResourceView* none = nullptr;
  g.context->PSSetShaderResources(1, 1, &none);
}

bool DrawFrame(Graphics& g, const FilterChoice& choice) {
  D3D11_VIEWPORT viewport = {0, 0, static_cast<float>(g.width), static_cast<float>(g.height), 0, 1};
  g.context->RSSetViewports(1, &viewport);
  g.context->RSSetState(g.rasterizer);
  g.context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLESTRIP);
  g.context->IASetInputLayout(nullptr);
  g.context->VSSetShader(g.vs_disp, nullptr, 0);
  ID3D11RenderTargetView* first = g.fxaa_target ? g.fxaa_target : g.back_buffer;
  const float black[4] = {0, 0, 0, 1};
  g.context->ClearRenderTargetView(first, black);
  DrawPass(g, first, g.ps_xbrz ? g.ps_xbrz : g.ps_plain,
           ScalingPassConstants(choice, g.source_w, g.source_h, g.width, g.height), g.source_view);
  if (g.fxaa_target) DrawPass(g, g.back_buffer, g.ps_fxaa, FxaaPassConstants(g.width, g.height), g.fxaa_view);
  return SUCCEEDED(g.swap_chain->Present(1, 0));
}

void HandleMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool MameHasFocus(HWND mame, DWORD process_id) {
  if (IsIconic(mame)) return false;
  HWND foreground = GetForegroundWindow();
  DWORD foreground_process = 0;
  if (foreground) GetWindowThreadProcessId(foreground, &foreground_process);
  return foreground_process == process_id;
}

void FrameLoop(OverlayRun& run, HWND mame, HWND overlay, Graphics& g) {
  Capture capture;
  bool shown = false;
  while (!run.stop && IsWindow(mame)) {
    HandleMessages();
    if (!MameHasFocus(mame, run.process_id)) {
      if (shown) ShowWindow(overlay, SW_HIDE);
      shown = false;
      WaitForStop(run, kHiddenPollMs);
      continue;
    }
    if (!shown) ShowWindow(overlay, SW_SHOWNOACTIVATE);
    shown = true;
    RECT window, client;
    POINT origin = {0, 0};
    if (!GetWindowRect(mame, &window) || !GetClientRect(mame, &client) || !ClientToScreen(mame, &origin) ||
        client.right < kSmallestPicture || client.bottom < kSmallestPicture) {
      WaitForStop(run, kSmallWindowPollMs);
      continue;
    }
    int window_w = window.right - window.left, window_h = window.bottom - window.top;
    if ((window_w != capture.width || window_h != capture.height) && !capture.Resize(window_w, window_h)) return;
    if ((client.right != g.source_w || client.bottom != g.source_h) && !ResizeSource(g, client.right, client.bottom))
      return;
    if (!PrintWindow(mame, capture.dc, PW_RENDERFULLCONTENT)) {
      WaitForStop(run, kPrintRetryMs);
      continue;
    }
    GdiFlush();
    if (!Upload(g, capture, origin.x - window.left, origin.y - window.top)) {
      WaitForStop(run, kPrintRetryMs);  // the window changed size in between
      continue;
    }
    if (!DrawFrame(g, run.choice)) return;
  }
}
}  // namespace

void RunOverlay(OverlayRun& run) {
  HWND mame = FindMameWindow(run);
  if (!mame) return;
  HWND overlay = nullptr;
  {
    Graphics g;
    if (!LoadCompiler(g)) return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(mame, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
    g.width = monitor.rcMonitor.right - monitor.rcMonitor.left;
    g.height = monitor.rcMonitor.bottom - monitor.rcMonitor.top;
    overlay = CreateOverlayWindow(monitor.rcMonitor);
    if (overlay && CreateDevice(g, overlay) && CreateShaders(g, run.choice) && CreateStates(g)) {
      CreateFxaaTarget(g);
      FrameLoop(run, mame, overlay, g);
    }
  }  // the graphics objects go before the window they draw on
  if (overlay) DestroyWindow(overlay);
  HandleMessages();
}
