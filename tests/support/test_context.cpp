#include "test_context.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace vitrum_test {

namespace {

std::vector<std::string>& open() {
  static std::vector<std::string> contexts;
  return contexts;
}

class ContextPrinter : public testing::EmptyTestEventListener {
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (!result.failed() || open().empty()) return;
    std::printf("Context (innermost last):\n");
    for (const std::string& context : open()) std::printf("  %s\n", context.c_str());
    std::fflush(stdout);
  }
};

}  // namespace

Context::Context(std::string what) { open().push_back(std::move(what)); }

Context::~Context() { open().pop_back(); }

void printContextsOnFailure() { testing::UnitTest::GetInstance()->listeners().Append(new ContextPrinter); }

}  // namespace vitrum_test
