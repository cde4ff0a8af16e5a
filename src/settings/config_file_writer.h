#pragma once

#include "config_writer.h"

namespace lullex {

// Replaces Data/Lullex.ini with the configuration screen's values.
class ConfigFileWriter {
public:
    virtual ~ConfigFileWriter() = default;
    // True when the file was replaced (ConfigSaved is then set). False after the write-error
    // box, the old file kept. A file that has vanished ends the program: it is never created.
    virtual bool WriteConfig(const ConfigScreenValues& values) = 0;
};

}  // namespace lullex
