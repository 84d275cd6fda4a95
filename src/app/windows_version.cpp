#include "app/windows_version.h"

#include <cstdint>
#include <string>

#include "model/text.h"
#include "platform/os_version.h"

namespace dwl {
namespace {

constexpr uint32_t kPlatformWin32Windows = 1;
constexpr uint32_t kPlatformWin32NT = 2;

constexpr uint8_t kProductWorkstation = 1;
constexpr uint8_t kProductDomainController = 2;
constexpr uint8_t kProductServer = 3;

constexpr uint16_t kSuiteSmallBusiness = 0x0001;
constexpr uint16_t kSuiteEnterprise = 0x0002;
constexpr uint16_t kSuiteBackOffice = 0x0004;
constexpr uint16_t kSuiteCommunications = 0x0008;
constexpr uint16_t kSuiteTerminal = 0x0010;
constexpr uint16_t kSuiteSmallBusinessRestricted = 0x0020;
constexpr uint16_t kSuiteEmbeddedNT = 0x0040;
constexpr uint16_t kSuiteDataCenter = 0x0080;
constexpr uint16_t kSuiteSingleUserTS = 0x0100;
constexpr uint16_t kSuitePersonal = 0x0200;
constexpr uint16_t kSuiteBlade = 0x0400;

// ASCII only: the service-pack field is plain ANSI text and the checks
// below only look for Latin letters, so the current locale must not matter.
std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string WithoutNuls(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '\0') result += c;
    }
    return result;
}

bool Contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

std::string Dotted(uint32_t major, uint32_t minor) { return std::to_string(major) + "." + std::to_string(minor); }

std::string Unknown(uint32_t major, uint32_t minor) { return "Unknown OS Version " + Dotted(major, minor); }

struct NameResult {
    std::string name;
    bool extended = false;
};

NameResult NameFor(const OsVersionRecord& r) {
    const uint32_t M = r.major;
    const uint32_t m = r.minor;
    switch (M) {
    case 3:
        if (r.platformId == kPlatformWin32NT) return {"Windows NT " + Dotted(M, m), false};
        return {Unknown(M, m), false};
    case 4:
        if (m == 0) {
            if (r.platformId == kPlatformWin32Windows) {
                const std::string csd = Upper(r.csd);
                const bool osr2 = Contains(csd, 'C') || Contains(csd, 'B');
                return {osr2 ? "Windows 95 OSR2" : "Windows 95", false};
            }
            if (r.platformId == kPlatformWin32NT) {
                // The extended record exists from Service Pack 6 on.
                const std::string csd = Upper(TrimBlanks(WithoutNuls(r.csd)));
                return {"Windows NT 4.0", csd >= "SERVICE PACK 6"};
            }
            return {Unknown(M, m) + " Platform " + std::to_string(r.platformId), false};
        }
        if (m == 10) return {Contains(Upper(r.csd), 'A') ? "Windows 98 SE" : "Windows 98", false};
        if (m == 90) return {"Windows ME", false};
        return {Unknown(M, m), false};
    case 5:
        if (m == 0) return {"Windows 2000", true};
        if (m == 1) return {"Windows XP", true};
        if (m == 2) return {"Windows .NET", true};
        return {Unknown(M, m), true};
    default: return {Unknown(M, m), false};
    }
}

std::string SuitesFor(uint16_t mask) {
    static constexpr struct {
        uint16_t bit;
        const char* text;
    } kSuites[] = {
        {kSuiteBackOffice, "Microsoft BackOffice components are installed ,"},
        {kSuiteCommunications, "Communications Server installed ,"},
        {kSuiteDataCenter, "Datacenter Server is installed ,"},
        {kSuiteEmbeddedNT, "Embedded NT installed ,"},
        {kSuiteSingleUserTS, "Single User ,"},
        {kSuiteSmallBusiness, "Microsoft Small Business Server is installed ,"},
        {kSuiteSmallBusinessRestricted,
         "Microsoft Small Business Server is installed with the restrictive client license in force ,"},
        {kSuiteTerminal, "Terminal Services is installed ,"},
    };
    std::string suites;
    for (const auto& suite : kSuites) {
        if (mask & suite.bit) suites += suite.text;
    }
    if (suites.size() > 2) suites.pop_back();  // the trailing comma
    return suites;
}

std::string ProductTypeFor(const OsVersionRecord& r) {
    const uint8_t type = r.productType;
    const uint16_t suite = r.suiteMask;
    const bool is4 = r.major == 4;
    const bool is50 = r.major == 5 && r.minor == 0;
    const bool is51 = r.major == 5 && r.minor == 1;
    const bool is52 = r.major == 5 && r.minor == 2;
    if (!is4 && !is50 && !is51 && !is52) return std::string();

    if (type == kProductWorkstation) {
        if (is4) return "Workstation";
        if (is50) return "Professional";
        if (is51) return (suite & kSuitePersonal) ? "Home Edition" : "Professional";
        return std::string();
    }
    if (type == kProductDomainController) return "Domain Controller";
    if (type == kProductServer) {
        if (is4 || is50) return (suite & kSuiteEnterprise) ? "Advanced Server" : "Server";
        if (is51) return "Server";
        if (suite & kSuiteDataCenter) return "DataCenter Server";
        if (suite & kSuiteEnterprise) return "Enterprise Server";
        if (suite & kSuiteBlade) return "Web Server";
        return "Server";
    }
    return std::string();
}

}  // namespace

clsOS::clsOS(IOsVersionSource& source) { IdentifyOS(source); }

void clsOS::IdentifyOS(IOsVersionSource& source) {
    const auto basic = source.Read(kVersionRecordSize);
    if (!basic) return;

    const NameResult named = NameFor(*basic);
    OSName = named.name;
    OSVersion = Dotted(basic->major, basic->minor);
    OSBuild = std::to_string(basic->build);
    OSCSDVersion = WithoutNuls(basic->csd);
    if (!named.extended) return;

    const auto ex = source.Read(kVersionRecordExSize);
    if (!ex) return;

    if (ex->servicePackMajor > 0 || ex->servicePackMinor > 0) {
        OSServicePack =
            "Service Pack " + std::to_string(ex->servicePackMajor) + "." + std::to_string(ex->servicePackMinor);
    }
    OSSuites = SuitesFor(ex->suiteMask);
    OSProductType = ProductTypeFor(*ex);
}

bool IsXPOrDotNet(IOsVersionSource& source) {
    const clsOS os(source);
    return os.OSName == "Windows XP" || os.OSName == "Windows .NET";
}

bool IsLockSupported(IOsVersionSource& source) {
    const clsOS os(source);
    return os.OSName == "Windows 2000" || os.OSName == "Windows XP" || os.OSName == "Windows .NET";
}

}  // namespace dwl
