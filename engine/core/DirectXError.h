#pragma once

// Error codes of the device layers (graphics, input, sound) with their symbolic names, and the
// report of a failed device call. The values are the engine's contract with stored logs.

#include <cstdint>
#include <string>

namespace Engine {

using tResult = int32_t;

constexpr tResult makeResult(uint32_t facility, uint32_t code) {
    return tResult(0x80000000u | facility << 16 | code);
}
constexpr uint32_t FACILITY_D3D = 0x876;
constexpr uint32_t FACILITY_DSOUND = 0x878;
constexpr uint32_t FACILITY_WIN32 = 7;
constexpr uint32_t FACILITY_ITF = 4;

// Common results.
constexpr tResult S_OK = 0;
constexpr tResult S_FALSE = 1;
constexpr tResult E_UNEXPECTED = tResult(0x8000FFFFu);
constexpr tResult E_NOTIMPL = tResult(0x80004001u);
constexpr tResult E_NOINTERFACE = tResult(0x80004002u);
constexpr tResult E_POINTER = tResult(0x80004003u);
constexpr tResult E_ABORT = tResult(0x80004004u);
constexpr tResult E_FAIL = tResult(0x80004005u);
constexpr tResult E_ACCESSDENIED = tResult(0x80070005u);
constexpr tResult E_HANDLE = tResult(0x80070006u);
constexpr tResult E_OUTOFMEMORY = tResult(0x8007000Eu);
constexpr tResult E_INVALIDARG = tResult(0x80070057u);
constexpr tResult CLASS_E_NOAGGREGATION = tResult(0x80040110u);
constexpr tResult REGDB_E_CLASSNOTREG = tResult(0x80040154u);

// Graphics device.
constexpr tResult D3DERR_OUTOFVIDEOMEMORY = makeResult(FACILITY_D3D, 380);
constexpr tResult D3DERR_WRONGTEXTUREFORMAT = makeResult(FACILITY_D3D, 2072);
constexpr tResult D3DERR_UNSUPPORTEDCOLOROPERATION = makeResult(FACILITY_D3D, 2073);
constexpr tResult D3DERR_UNSUPPORTEDCOLORARG = makeResult(FACILITY_D3D, 2074);
constexpr tResult D3DERR_UNSUPPORTEDALPHAOPERATION = makeResult(FACILITY_D3D, 2075);
constexpr tResult D3DERR_UNSUPPORTEDALPHAARG = makeResult(FACILITY_D3D, 2076);
constexpr tResult D3DERR_TOOMANYOPERATIONS = makeResult(FACILITY_D3D, 2077);
constexpr tResult D3DERR_CONFLICTINGTEXTUREFILTER = makeResult(FACILITY_D3D, 2078);
constexpr tResult D3DERR_UNSUPPORTEDFACTORVALUE = makeResult(FACILITY_D3D, 2079);
constexpr tResult D3DERR_CONFLICTINGRENDERSTATE = makeResult(FACILITY_D3D, 2081);
constexpr tResult D3DERR_UNSUPPORTEDTEXTUREFILTER = makeResult(FACILITY_D3D, 2082);
constexpr tResult D3DERR_CONFLICTINGTEXTUREPALETTE = makeResult(FACILITY_D3D, 2086);
constexpr tResult D3DERR_DRIVERINTERNALERROR = makeResult(FACILITY_D3D, 2087);
constexpr tResult D3DERR_NOTFOUND = makeResult(FACILITY_D3D, 2150);
constexpr tResult D3DERR_MOREDATA = makeResult(FACILITY_D3D, 2151);
constexpr tResult D3DERR_DEVICELOST = makeResult(FACILITY_D3D, 2152);
constexpr tResult D3DERR_DEVICENOTRESET = makeResult(FACILITY_D3D, 2153);
constexpr tResult D3DERR_NOTAVAILABLE = makeResult(FACILITY_D3D, 2154);
constexpr tResult D3DERR_INVALIDDEVICE = makeResult(FACILITY_D3D, 2155);
constexpr tResult D3DERR_INVALIDCALL = makeResult(FACILITY_D3D, 2156);
constexpr tResult D3DERR_DRIVERINVALIDCALL = makeResult(FACILITY_D3D, 2157);

// Graphics helpers (meshes).
constexpr tResult D3DXERR_CANNOTMODIFYINDEXBUFFER = makeResult(FACILITY_D3D, 2900);
constexpr tResult D3DXERR_INVALIDMESH = makeResult(FACILITY_D3D, 2901);
constexpr tResult D3DXERR_CANNOTATTRSORT = makeResult(FACILITY_D3D, 2902);
constexpr tResult D3DXERR_SKINNINGNOTSUPPORTED = makeResult(FACILITY_D3D, 2903);
constexpr tResult D3DXERR_TOOMANYINFLUENCES = makeResult(FACILITY_D3D, 2904);
constexpr tResult D3DXERR_INVALIDDATA = makeResult(FACILITY_D3D, 2905);
constexpr tResult D3DXERR_LOADEDMESHASNODATA = makeResult(FACILITY_D3D, 2906);

// Input devices.
constexpr tResult DI_POLLEDDEVICE = 2;
constexpr tResult DIERR_NOTFOUND = makeResult(FACILITY_WIN32, 2);
constexpr tResult DIERR_NOTACQUIRED = makeResult(FACILITY_WIN32, 12);
constexpr tResult DIERR_NOTINITIALIZED = makeResult(FACILITY_WIN32, 21);
constexpr tResult DIERR_INPUTLOST = makeResult(FACILITY_WIN32, 30);
constexpr tResult DIERR_BADDRIVERVER = makeResult(FACILITY_WIN32, 119);
constexpr tResult DIERR_ACQUIRED = makeResult(FACILITY_WIN32, 170);
constexpr tResult DIERR_OLDDIRECTINPUTVERSION = makeResult(FACILITY_WIN32, 1150);
constexpr tResult DIERR_BETADIRECTINPUTVERSION = makeResult(FACILITY_WIN32, 1151);
constexpr tResult DIERR_ALREADYINITIALIZED = makeResult(FACILITY_WIN32, 1247);
constexpr tResult DIERR_INSUFFICIENTPRIVS = makeResult(FACILITY_ITF, 0x200);
constexpr tResult DIERR_DEVICEFULL = makeResult(FACILITY_ITF, 0x201);
constexpr tResult DIERR_MOREDATA = makeResult(FACILITY_ITF, 0x202);
constexpr tResult DIERR_NOTDOWNLOADED = makeResult(FACILITY_ITF, 0x203);
constexpr tResult DIERR_HASEFFECTS = makeResult(FACILITY_ITF, 0x204);
constexpr tResult DIERR_NOTEXCLUSIVEACQUIRED = makeResult(FACILITY_ITF, 0x205);
constexpr tResult DIERR_INCOMPLETEEFFECT = makeResult(FACILITY_ITF, 0x206);
constexpr tResult DIERR_NOTBUFFERED = makeResult(FACILITY_ITF, 0x207);
constexpr tResult DIERR_EFFECTPLAYING = makeResult(FACILITY_ITF, 0x208);
constexpr tResult DIERR_UNPLUGGED = makeResult(FACILITY_ITF, 0x209);
constexpr tResult DIERR_REPORTFULL = makeResult(FACILITY_ITF, 0x20A);
constexpr tResult DIERR_MAPFILEFAIL = makeResult(FACILITY_ITF, 0x20B);

// Sound.
constexpr tResult DSERR_ALLOCATED = makeResult(FACILITY_DSOUND, 10);
constexpr tResult DSERR_CONTROLUNAVAIL = makeResult(FACILITY_DSOUND, 30);
constexpr tResult DSERR_INVALIDCALL = makeResult(FACILITY_DSOUND, 50);
constexpr tResult DSERR_PRIOLEVELNEEDED = makeResult(FACILITY_DSOUND, 70);
constexpr tResult DSERR_BADFORMAT = makeResult(FACILITY_DSOUND, 100);
constexpr tResult DSERR_NODRIVER = makeResult(FACILITY_DSOUND, 120);
constexpr tResult DSERR_ALREADYINITIALIZED = makeResult(FACILITY_DSOUND, 130);
constexpr tResult DSERR_BUFFERLOST = makeResult(FACILITY_DSOUND, 150);
constexpr tResult DSERR_OTHERAPPHASPRIO = makeResult(FACILITY_DSOUND, 160);
constexpr tResult DSERR_UNINITIALIZED = makeResult(FACILITY_DSOUND, 170);

// The symbolic name of a result; "Unknown" for values not in the table. Results shared by
// several layers are named after the layer that reports them most (DIERR_INPUTLOST, E_FAIL).
std::string getDirectXErrorName(tResult result);

// errorCallStack() = "Direct3D function call failed\n" + call + "\n" + the result's name, then
// that text is thrown as a narrow cString. Used for graphics and input calls alike.
[[noreturn]] void throwDirectXError(tResult result, const std::string& call);

} // namespace Engine
