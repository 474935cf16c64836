#include "engine/core/ExceptionLog.h"

#include "engine/core/Log.h"
#include "engine/core/String.h"

#include <cstdio>

namespace Engine {

std::string describeException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const char* text) {
        return text ? text : "";
    } catch (const std::string& text) {
        return text;
    } catch (const std::wstring& text) {
        std::string out;
        wideToUtf8(text, out);
        return out;
    } catch (const wchar_t* text) {
        std::string out;
        wideToUtf8(text ? text : L"", out);
        return out;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
}

void logException(const std::string& context, std::exception_ptr error) noexcept {
    std::string text;
    try {
        text = context + describeException(error);
        getLog()->getChannel(L"error", false)->write("%s", text.c_str());
    } catch (...) {
        // The log itself failed (an unwritable folder): stderr is all that is left.
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

} // namespace Engine
