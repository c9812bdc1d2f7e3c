// Helpers for the tests that look at what the engine's windows draw: their composed pixels, a
// PNG of them for people to look at, and a suite set-up that takes the windows' resources from
// Snapshot.exe.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class LayeredSurface;

namespace testpictures {

// Premultiplied 0xAARRGGBB pixels, top row first.
struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> px;
  uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

// The pixels a layered window was composed into.
Image Pixels(const LayeredSurface& s);

inline int A(uint32_t p) { return p >> 24; }
inline int R(uint32_t p) { return (p >> 16) & 0xFF; }
inline int G(uint32_t p) { return (p >> 8) & 0xFF; }
inline int B(uint32_t p) { return p & 0xFF; }

// |src| over |dst|, premultiplied source-over on all four channels.
uint32_t Over(uint32_t src, uint32_t dst);

// The pixels of a 32-bit DIB section, top row first (empty for any other bitmap).
Image ReadBitmap(HBITMAP bitmap);

// Whether every channel of |a| is within |tolerance| of |b|'s.
bool Near(uint32_t a, uint32_t b, int tolerance);

// Whether the desktop has a face for the engine's Chinese texts (宋体 or a stand-in for it);
// without one every character is drawn as the same box.
bool ChineseGlyphsAvailable();

// Saves |img| over a dark backdrop with |pad| pixels around it, enlarged |scale| times, as the PNG
// |name| in $LUMETTA_ARTIFACTS (or /tmp). Returns its path, or an empty string when it failed.
std::wstring SavePicture(const Image& img, const wchar_t* name, int scale, int pad = 10);

// Lets the thread's windows handle everything queued (posted and real input) for |ms|
// milliseconds.
void Pump(DWORD ms);

// A suite whose windows are made in Snapshot.exe, loaded as a data file from beside the test, so
// that they find its menus, texts and pictures (SharedImages() is loaded from it too). SetUp
// fails the test when it is missing; fixtures with their own SetUp call it first.
class EngineModuleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  static HINSTANCE engine() { return engine_; }

 private:
  friend HINSTANCE EngineInstance();
  static HINSTANCE engine_;
  static HINSTANCE previous_;
};

// The engine module the running EngineModuleTest suite loaded (null outside such a suite).
inline HINSTANCE EngineInstance() { return EngineModuleTest::engine_; }

}  // namespace testpictures
