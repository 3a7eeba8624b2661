// The plug and unplug hooks as another process reaches them on Windows.
//
// Once initialised, the library has a hidden message-only window of class
// kKelpraRemoteHookClass, created on the thread that called
// camInitCameraLib and destroyed by camUnInitCameraLib. Sending it the
// registered window message named kKelpraRemoteHookMessage runs a hook on
// that thread, so that the device-change callback is called there, as a
// real library calls it on its caller's user-interface thread:
//   wParam kKelpraRemotePlug    adds a default webcam (as kelpraTestPlugDevice(null))
//   wParam kKelpraRemoteUnplug  removes device lParam (as kelpraTestUnplugDevice)
// The message's result is the hook's: the new device count, or a negative
// code. Native builds have no such window; tests call the hooks directly.
#pragma once

constexpr const wchar_t kKelpraRemoteHookClass[] = L"KelpraTestHooks";
constexpr const wchar_t kKelpraRemoteHookMessage[] = L"KelpraTestDeviceHook";
constexpr unsigned kKelpraRemoteUnplug = 0;
constexpr unsigned kKelpraRemotePlug = 1;
