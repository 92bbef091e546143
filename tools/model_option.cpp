#include "model_option.h"

#include <map>
#include <string>

namespace velmar::cli {

void addModelOption(CLI::App& command, ModelKind& kind)
{
    static const std::map<std::string, ModelKind> kModels{
        {"qrx20", ModelKind::Qrx20},
        {"qrx30", ModelKind::Qrx30},
        {"corvalent-d1", ModelKind::CorvalentD1},
        {"undetected", ModelKind::Undetected},
    };
    command.add_option("--model", kind, "Model whose layout applies (display tail, component video)")
        ->transform(CLI::CheckedTransformer(kModels, CLI::ignore_case))
        ->default_str("undetected");
}

}  // namespace velmar::cli
