// The program users get, out\ORV32.EXE, read as a file: a 32-bit GUI executable that needs no
// DLL beyond the system's, carrying exactly the resources of the build whose tests just ran
// (this program links the same resource script). It runs as a 64-bit program too, so the
// product is checked even where no 32-bit code runs. ORV_PRODUCT names another file to check.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::string ProductPath() {
    const char* path = getenv("ORV_PRODUCT");
    return path && *path ? path : "out\\ORV32.EXE";
}

std::vector<unsigned char> ReadWhole(const std::string& path) {
    std::vector<unsigned char> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    unsigned char block[65536];
    size_t n;
    while ((n = fread(block, 1, sizeof block, f)) > 0)
        bytes.insert(bytes.end(), block, block + n);
    fclose(f);
    return bytes;
}

// The 32-bit headers of a PE image held as file bytes, or null when it is not one.
const IMAGE_NT_HEADERS32* NtHeaders32(const std::vector<unsigned char>& image) {
    if (image.size() < sizeof(IMAGE_DOS_HEADER))
        return nullptr;
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0 ||
        (size_t)dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32) > image.size())
        return nullptr;
    const IMAGE_NT_HEADERS32* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

// The file offset of a relative virtual address, through the section table; 0 when no section
// holds it.
size_t FileOffset(const std::vector<unsigned char>& image, const IMAGE_NT_HEADERS32* nt,
                  DWORD rva) {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; i++, section++) {
        const DWORD size = section->Misc.VirtualSize ? section->Misc.VirtualSize
                                                     : section->SizeOfRawData;
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size) {
            const size_t offset = rva - section->VirtualAddress + section->PointerToRawData;
            return offset < image.size() ? offset : 0;
        }
    }
    return 0;
}

// The names of the DLLs the image imports from, as written in it.
std::vector<std::string> ImportedDlls(const std::vector<unsigned char>& image,
                                      const IMAGE_NT_HEADERS32* nt) {
    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    size_t at = FileOffset(image, nt, dir.VirtualAddress);
    if (!at)
        return names;
    for (; at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= image.size();
         at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const IMAGE_IMPORT_DESCRIPTOR* entry =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + at);
        if (!entry->Name)
            break;
        const size_t name = FileOffset(image, nt, entry->Name);
        if (!name)
            break;
        names.push_back(std::string(reinterpret_cast<const char*>(image.data() + name),
                                    strnlen(reinterpret_cast<const char*>(image.data() + name),
                                            image.size() - name)));
    }
    return names;
}

// ---- Resources -------------------------------------------------------------------------------

std::string ResourceId(LPCSTR id) {
    return IS_INTRESOURCE(id) ? "#" + std::to_string((unsigned)(ULONG_PTR)id) : std::string(id);
}

// Every resource of a module by "type/name/language", with its bytes.
using Resources = std::map<std::string, std::string>;

BOOL CALLBACK OnLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param) {
    Resources* into = reinterpret_cast<Resources*>(param);
    HRSRC found = FindResourceExA(module, type, name, language);
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    const std::string key = ResourceId(type) + "/" + ResourceId(name) + "/" + std::to_string(language);
    (*into)[key] = bytes ? std::string(bytes, SizeofResource(module, found)) : "(unreadable)";
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    EnumResourceLanguagesA(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR param) {
    EnumResourceNamesA(module, type, OnName, param);
    return TRUE;
}

Resources ResourcesOf(HMODULE module) {
    Resources found;
    EnumResourceTypesA(module, OnType, reinterpret_cast<LONG_PTR>(&found));
    return found;
}

// How many resources of a type, or of a type and name, in every language.
size_t Count(const Resources& resources, LPCSTR type, const char* name = "") {
    const std::string prefix = ResourceId(type) + "/" + name;
    size_t n = 0;
    for (const auto& entry : resources)
        n += entry.first.compare(0, prefix.size(), prefix) == 0;
    return n;
}

} // namespace

TEST(Product, IsA32BitGuiProgramImportingOnlySystemDlls) {
    const std::vector<unsigned char> image = ReadWhole(ProductPath());
    ASSERT_FALSE(image.empty()) << ProductPath() << " cannot be read";
    const IMAGE_NT_HEADERS32* nt = NtHeaders32(image);
    ASSERT_TRUE(nt != nullptr) << "not a PE file";
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_FALSE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);

    // What every Windows since the first 32-bit ones ships; a runtime DLL of the compiler's
    // (libstdc++-6, libwinpthread-1, libgcc_s) would stop the program on a user's machine.
    static const char* const kSystem[] = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                          "comdlg32.dll", "shell32.dll", "mpr.dll",
                                          "advapi32.dll", "winspool.drv", "msvcrt.dll"};
    const std::vector<std::string> dlls = ImportedDlls(image, nt);
    EXPECT_FALSE(dlls.empty());
    for (const std::string& dll : dlls) {
        bool known = false;
        for (const char* system : kSystem)
            known = known || lstrcmpiA(dll.c_str(), system) == 0;
        EXPECT_TRUE(known) << dll << " is not a system DLL";
    }
}

TEST(Product, CarriesExactlyTheResourcesOfTheTestedBuild) {
    HMODULE product = LoadLibraryExA(ProductPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(product != NULL) << ProductPath() << " cannot be loaded as data, error "
                                 << GetLastError();
    const Resources shipped = ResourcesOf(product);
    const Resources tested = ResourcesOf(GetModuleHandleA(NULL));
    FreeLibrary(product);

    for (LPCSTR type : {RT_MENU, RT_ACCELERATOR, RT_DIALOG, RT_STRING, RT_BITMAP, RT_GROUP_ICON,
                        RT_ICON, RT_GROUP_CURSOR, RT_CURSOR})
        EXPECT_GT(Count(tested, type), 0u) << ResourceId(type);
    EXPECT_EQ(1u, Count(tested, RT_MENU, "ORVMENU/"));

    for (const auto& entry : tested) {
        auto other = shipped.find(entry.first);
        if (other == shipped.end())
            ADD_FAILURE() << entry.first << " is missing from the product";
        else
            EXPECT_TRUE(other->second == entry.second) << entry.first << " differs";
    }
    for (const auto& entry : shipped)
        EXPECT_TRUE(tested.count(entry.first)) << entry.first << " is only in the product";
}
