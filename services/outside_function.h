// Operating-system functions declared by library and name (Windows only).
//
//   OutsideFunction<HINTERNET(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD)> internetOpen{
//       "wininet.dll", "InternetOpenA"};
//   HINTERNET session = internetOpen("yanzhou", 1, nullptr, nullptr, 0);
//
// The function is looked up on its first call (the library is loaded then, not
// at start) and the address is remembered for every later call. Without a
// library name it is looked up in kernel32, where the system's own functions
// live. A missing library or function is a fault of the installation: the
// call then does nothing and returns the value-initialised result;
// Available() tells beforehand. Lookups from several threads are safe. The
// program is 64-bit, where Windows has one calling convention, so the
// signature carries none.
#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

namespace yz {

namespace detail {
// The address of `function` in `library` (kernel32 when null), loading the
// library when it is not yet loaded; null when either is missing.
void* FindOutsideFunction(const char* library, const char* function);
}  // namespace detail

template <class Signature>
class OutsideFunction;

template <class R, class... Args>
class OutsideFunction<R(Args...)> {
 public:
  using Pointer = R (*)(Args...);

  OutsideFunction(const char* library, const char* function) : library_(library), function_(function) {}
  OutsideFunction(const OutsideFunction&) = delete;
  OutsideFunction& operator=(const OutsideFunction&) = delete;

  bool Available() const { return Resolve() != nullptr; }

  R operator()(Args... args) const {
    Pointer p = Resolve();
    if (!p) {
      if constexpr (std::is_void_v<R>) return;
      else return R{};
    }
    return p(std::forward<Args>(args)...);
  }

 private:
  Pointer Resolve() const {
    Pointer p = address_.load(std::memory_order_acquire);
    if (p || looked_up_.load(std::memory_order_acquire)) return p;
    // Two threads may both look up; they find the same address.
    p = reinterpret_cast<Pointer>(detail::FindOutsideFunction(library_, function_));
    address_.store(p, std::memory_order_release);
    looked_up_.store(true, std::memory_order_release);
    return p;
  }

  const char* library_;
  const char* function_;
  mutable std::atomic<Pointer> address_{nullptr};
  mutable std::atomic<bool> looked_up_{false};
};

}  // namespace yz
