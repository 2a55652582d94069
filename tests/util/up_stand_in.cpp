// Stands in for the upgrade helper in tests: writes its arguments, its
// working folder and its scheduling priority to the file named by
// ZK_STAND_IN_OUT, one per line, then exits. The file appears in one step
// (written beside it, then renamed), so a waiting test never reads half of it.
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    const char* out = std::getenv("ZK_STAND_IN_OUT");
    if (!out)
        return 2;
    const std::string partial = std::string(out) + ".partial";
    std::FILE* f = std::fopen(partial.c_str(), "w");
    if (!f)
        return 3;
    for (int i = 1; i < argc; ++i)
        std::fprintf(f, "arg %s\n", argv[i]);
    char cwd[PATH_MAX] = {};
    if (getcwd(cwd, sizeof cwd))
        std::fprintf(f, "cwd %s\n", cwd);
    std::fprintf(f, "nice %d\n", getpriority(PRIO_PROCESS, 0));
    std::fclose(f);
    return std::rename(partial.c_str(), out) == 0 ? 0 : 4;
}
