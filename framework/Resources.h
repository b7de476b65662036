#pragma once

#include <memory>
#include <string>

#include "framework/Graphics.h"

// The application's resources: files named "<type>_<id>.<any extension>" in the
// resources folder beside the executable (or ../share/gradix once installed),
// e.g. "TEXT_168.html" and, for pictures, "PICT_168.png".
namespace fw {

// The text of the resource, "" when there is none.
std::string GetResource(const std::string& type, int id);
// The picture resource of type "PICT", nil when there is none or it is not an image.
std::shared_ptr<Picture> GetPicture(int id);

}  // namespace fw
