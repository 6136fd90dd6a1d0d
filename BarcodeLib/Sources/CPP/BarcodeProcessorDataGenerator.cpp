#include "BarcodeProcessorDataGenerator.h"

namespace Strivelo {

BarcodeProcessorDataGenerator::~BarcodeProcessorDataGenerator() = default;

}  // namespace Strivelo
