// Encode: the same composed picture written as PNG, BMP and JPEG and read back.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "screenshot/base/ScopedWin.h"
#include "screenshot/base/top_down_dib_win.h"
#include "screenshot/output/image_file_win.h"

namespace {

constexpr int kWidth = 41, kHeight = 27;  // odd: rows of the 24-bit files are padded

// The test picture: smooth ramps with a sharp block, fourth byte 0 as in the frozen screen.
uint32_t Expected(int x, int y) {
  if (x >= 10 && x < 20 && y >= 8 && y < 16) return 0x00204080u;
  return (static_cast<uint32_t>(x * 6) << 16) | (static_cast<uint32_t>(y * 9) << 8) |
         static_cast<uint32_t>(128 + (x + y) % 64);
}

HBITMAP MakePicture() {
  PixelView view;
  HBITMAP bitmap = CreateTopDownDib(kWidth, kHeight, &view);
  if (!bitmap) return nullptr;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) view.At(x, y) = Expected(x, y);
  GdiFlush();
  return bitmap;
}

// The file's pixels as 0xAARRGGBB, top row first; empty when it cannot be read.
std::vector<uint32_t> ReadBack(const std::wstring& path, int* width, int* height) {
  std::vector<uint32_t> px;
  Gdiplus::Bitmap image(path.c_str());
  if (image.GetLastStatus() != Gdiplus::Ok) return px;
  *width = static_cast<int>(image.GetWidth());
  *height = static_cast<int>(image.GetHeight());
  Gdiplus::Rect all(0, 0, *width, *height);
  Gdiplus::BitmapData data = {};
  if (image.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
    return px;
  for (int y = 0; y < *height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) +
                                                        static_cast<ptrdiff_t>(y) * data.Stride);
    px.insert(px.end(), row, row + *width);
  }
  image.UnlockBits(&data);
  return px;
}

std::string Head(const std::wstring& path, size_t n) {
  std::string bytes(n, '\0');
  HANDLE f =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD got = 0;
  if (f != INVALID_HANDLE_VALUE) {
    ReadFile(f, bytes.data(), static_cast<DWORD>(n), &got, nullptr);
    CloseHandle(f);
  }
  bytes.resize(got);
  return bytes;
}

DWORD FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// The largest difference of one colour channel between the file and the picture (and the mean
// difference in `mean`); -1 when the file does not hold an opaque picture of the same size.
int LargestError(const std::wstring& path, double* mean = nullptr) {
  int w = 0, h = 0;
  const std::vector<uint32_t> px = ReadBack(path, &w, &h);
  if (px.empty() || w != kWidth || h != kHeight) return -1;
  int worst = 0;
  long long total = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t got = px[static_cast<size_t>(y) * kWidth + x], want = Expected(x, y);
      if ((got >> 24) != 0xFF) return -1;
      for (int shift : {0, 8, 16}) {
        const int error = std::abs(static_cast<int>((got >> shift) & 0xFF) -
                                   static_cast<int>((want >> shift) & 0xFF));
        worst = std::max(worst, error);
        total += error;
      }
    }
  }
  if (mean) *mean = static_cast<double>(total) / (3.0 * kWidth * kHeight);
  return worst;
}

class ImageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    base_ = std::wstring(temp) + L"lumetta_encode_" + std::to_wstring(GetCurrentProcessId());
    picture_.Reset(MakePicture());
    ASSERT_TRUE(picture_);
  }
  void TearDown() override {
    for (const std::wstring& f : written_) DeleteFileW(f.c_str());
  }
  std::wstring PathOf(const wchar_t* ext) {
    written_.push_back(base_ + ext);
    return written_.back();
  }

  ScopedGdiplus gdiplus_;
  ScopedBitmap picture_;
  std::wstring base_;
  std::vector<std::wstring> written_;
};

TEST_F(ImageFileTest, EachTypeHoldsTheComposedPicture) {
  const std::wstring png = PathOf(L".png"), bmp = PathOf(L".bmp"), jpg = PathOf(L".jpg"),
                     upper = PathOf(L"_upper.PNG");
  ASSERT_TRUE(Encode(picture_.get(), png));
  ASSERT_TRUE(Encode(picture_.get(), bmp));
  ASSERT_TRUE(Encode(picture_.get(), jpg));
  ASSERT_TRUE(Encode(picture_.get(), upper));
  EXPECT_EQ(Head(png, 4), "\x89PNG");
  EXPECT_EQ(Head(upper, 4), "\x89PNG");
  EXPECT_EQ(Head(bmp, 2), "BM");
  EXPECT_EQ(Head(jpg, 3), "\xFF\xD8\xFF");
  // Lossless types exactly, opaque although the picture's fourth byte is 0.
  EXPECT_EQ(LargestError(png), 0);
  EXPECT_EQ(LargestError(upper), 0);
  EXPECT_EQ(LargestError(bmp), 0);
  // JPEG close to it: ringing along the sharp block's edges, little elsewhere.
  double mean = 0;
  const int jpeg_error = LargestError(jpg, &mean);
  EXPECT_GE(jpeg_error, 0);
  EXPECT_LE(jpeg_error, 48);
  EXPECT_LE(mean, 4.0);
  std::printf("JPEG: largest error %d, mean %.2f, %lu bytes\n", jpeg_error, mean,
              static_cast<unsigned long>(FileSize(jpg)));
}

TEST_F(ImageFileTest, UnknownTypesAndMissingPicturesWriteNothing) {
  const std::wstring text = PathOf(L".txt"), none = PathOf(L"");
  EXPECT_FALSE(Encode(picture_.get(), text));
  EXPECT_FALSE(Encode(picture_.get(), none));
  EXPECT_EQ(GetFileAttributesW(text.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(none.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(Encode(nullptr, PathOf(L"_null.png")));
}

}  // namespace
