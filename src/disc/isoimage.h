#pragma once

#include <QString>
#include <functional>

#include "disc/disctree.h"

namespace torvel {

// The volume label of the ISO 9660 names: the title's letters and digits as capitals without
// their accents, every other run of characters one "_", at most 32 characters ("DISC" when
// nothing is left). The Joliet names carry the title itself, as far as their 16 characters go.
QString isoVolumeId(const QString& title);

// How far an image is: `done` of `total` bytes. Returning false cancels the image.
using ImageProgress = std::function<bool(qint64 done, qint64 total)>;

// Writes an ISO 9660 image with Joliet and Rock Ridge names of every file and folder of `tree`,
// with their bytes, names and dates (links that the tree leaves out are not written), labelled
// with `title`. The image goes through the safe writer: a temporary file beside `target`, renamed
// over it when complete. False when cancelled, with nothing left behind; a failure throws
// WriteError naming the image file and the reason.
bool writeIsoImage(const DiscTree& tree, const QString& title, const QString& target,
                   const ImageProgress& progress);

}  // namespace torvel
