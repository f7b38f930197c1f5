// One request frame out, one answer frame back. Internal to wirelink.
#pragma once

#include "port_table.h"
#include "wireframe.h"

namespace wirelink {

// Sends `request` (numbered with the port's next sequence number) and receives its
// answer into `answer`. False with the port's error
// code set on any failure; a device status 1-255 becomes the error code (the answer is
// still filled then).
bool exchange(Port &port, wireframe::Frame request, wireframe::Frame &answer);

}  // namespace wirelink
