// resgen <outdir>: draws every picture resource of the engine and the launcher icon.
//
// Writes bmp_<id>.bmp for each bitmap, cur_<id>.cur for each cursor, lumetta.ico, and finally
// resgen.stamp. The output depends on nothing but this program, so it is the same on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

#include "bmpio.h"
#include "pictures.h"
#include "screenshot/res/bitmap_sizes.h"

namespace {

const BitmapSize* sizeOf(int id) {
  for (const BitmapSize& s : kBitmapSizes)
    if (s.id == id) return &s;
  return nullptr;
}

// Draws each picture at the size the engine expects; every size listed must be drawn once.
void writeBitmaps(const std::string& dir, const std::vector<resgen::Picture>& pictures,
                  std::set<int>* drawn) {
  for (const resgen::Picture& p : pictures) {
    const BitmapSize* size = sizeOf(p.id);
    if (!size) throw std::runtime_error("bitmap " + std::to_string(p.id) + " has no size");
    if (!drawn->insert(p.id).second)
      throw std::runtime_error("bitmap " + std::to_string(p.id) + " drawn twice");
    resgen::Canvas c = p.draw();
    if (c.width() != size->width || c.height() != size->height)
      throw std::runtime_error("bitmap " + std::to_string(p.id) + " drawn at the wrong size");
    resgen::writeFile(dir + "/bmp_" + std::to_string(p.id) + ".bmp", resgen::encodeBmp(c));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resgen <outdir>\n");
    return 2;
  }
  try {
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    std::set<int> drawn;
    writeBitmaps(dir, resgen::toolPictures(), &drawn);
    writeBitmaps(dir, resgen::panelPictures(), &drawn);
    writeBitmaps(dir, resgen::barPictures(), &drawn);
    writeBitmaps(dir, resgen::textBoxPictures(), &drawn);
    for (const BitmapSize& s : kBitmapSizes)
      if (!drawn.count(s.id))
        throw std::runtime_error("bitmap " + std::to_string(s.id) + " not drawn");
    for (const resgen::CursorPicture& cur : resgen::cursorPictures())
      resgen::writeFile(dir + "/cur_" + std::to_string(cur.id) + ".cur",
                        resgen::encodeCur(cur.draw(), cur.hotX, cur.hotY));
    resgen::writeFile(dir + "/lumetta.ico",
                      resgen::encodeIco({resgen::launcherIcon(16), resgen::launcherIcon(32),
                                         resgen::launcherIcon(48)}));
    resgen::writeFile(dir + "/resgen.stamp", {});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "resgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
