#pragma once
// A generated timing put into one of the four 18-byte blocks of an image: what the
// generator starts from for the block, and the cells that replace it.

#include "core/common/image.h"
#include "core/common/result.h"
#include "core/timing/timing.h"

namespace edid::timing {

/// The generator's starting values for one block.
struct GeneratorStart {
  int width = 1920;
  int height = 1080;      ///< lines of the frame, also when interlaced
  double refreshHz = 60;  ///< fields per second when interlaced
  bool interlaced = false;
  int hImageMm = 0;  ///< the image size "keep the image size" writes
  int vImageMm = 0;
};

/// For a block holding a timing: its active size, its rate rounded to a whole Hz and
/// its image size. A monitor descriptor or an unused block has none of its own, so
/// it starts from the first block that holds a timing, or else from 1920x1080@60
/// with the screen size of bytes 21-22 (cm) as the image size.
GeneratorStart generatorStart(const Image& image, int blockStart);

/// The 18 cells that make the block at blockStart hold t, whatever it held before.
/// The image size is generatorStart's when keepImageSize, else 0. Refused, with
/// encodeDescriptor's reason, when the block cannot hold t.
Result<CellWrites> generatedBlock(const Image& image, int blockStart, const Timing& t,
                                  bool keepImageSize);

}  // namespace edid::timing
