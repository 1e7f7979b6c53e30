// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the system's name and caption as this program sees them, one a
// line, to the file named by the argument. The version tests start it
// under several names, each of which Wine shows another Windows version.

#include <fstream>

#include "core/platform/Platform.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const qm::platform::OsDescription os = qm::platform::CreatePlatform()->DescribeOs();
  std::ofstream(argv[1], std::ios::binary) << os.name << '\n' << os.caption << '\n';
  return 0;
}
