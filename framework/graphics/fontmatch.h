#pragma once
// Finds the font file that renders a family name, through fontconfig.
//
// Programs written for another desktop ask for families such as "Arial" or
// "Tahoma" that a Linux machine rarely has. A family that fontconfig does not
// know is replaced by a metric-compatible face where one is installed (Liberation
// Sans/Mono/Serif), else by the matching DejaVu face, and every other unknown
// name ends at DejaVu Sans. Bold and italic are asked of fontconfig; when the
// chosen family has no such face, the caller synthesises it.

#include <string>
#include <vector>

#include "framework/rtl/types.h"

namespace orv {

struct TFaceLocation {
  std::string Path;           // font file; empty when no font at all could be found
  int Index = 0;              // face index inside the file (collections)
  std::string Family;         // family name of the face found (UTF-8)
  bool SyntheticBold = false;    // bold was asked for, the face is not bold
  bool SyntheticItalic = false;  // italic was asked for, the face is upright
};

// The face for Name in the given weight and slant. Results are remembered, so
// repeated look-ups of the same name cost a hash probe.
const TFaceLocation& MatchFontFace(const String& Name, bool Bold, bool Italic);

// The family that Name maps to before fontconfig is asked: the first entry is
// Name itself, followed by the stand-ins tried when it is missing.
std::vector<std::string> FontFamilyCandidates(const String& Name);

}  // namespace orv
