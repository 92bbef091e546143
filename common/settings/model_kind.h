#pragma once

namespace velmar {

// Which firmware family answered; the codec and the pages steer model-dependent fields by it.
enum class ModelKind : int {
    Qrx20 = 0,
    Qrx30 = 1,
    CorvalentD1 = 2,
    Undetected = 3,
};

// The editor and the installer share one body of common code; where their behaviour
// differs, the difference is chosen by this value rather than by a second copy.
enum class Variant {
    Editor,
    Installer,
};

}  // namespace velmar
