// resgen <outdir>: draws every picture resource of the engine and the launcher icon.
//
// Writes bmp_<id>.bmp for each bitmap, cur_<id>.cur for each cursor, lumetta.ico, and finally
// resgen.stamp. The output depends on nothing but this program, so it is the same on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "bmpio.h"
#include "pictures.h"

namespace {

void writeBitmaps(const std::string& dir, const std::vector<resgen::Picture>& pictures) {
  for (const resgen::Picture& p : pictures) {
    resgen::Canvas c = p.draw();
    if (c.width() != p.width || c.height() != p.height)
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
    writeBitmaps(dir, resgen::toolPictures());
    writeBitmaps(dir, resgen::panelPictures());
    writeBitmaps(dir, resgen::barPictures());
    writeBitmaps(dir, resgen::textBoxPictures());
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
