#include "platform/fake/fake_platform.h"

namespace platform::fake {

FakePlatform::FakePlatform() = default;
FakePlatform::~FakePlatform() = default;

}  // namespace platform::fake
