# Shared by run.sh and test.sh: installs the Debian packages that are missing, then configures
# and builds. Sourced, not run.

# Packages to build and run the tool (Qt 6 with its SQLite and ODBC drivers, Thai fonts).
VELTHORN_RUN_PACKAGES=(g++ cmake ninja-build qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc
                       unixodbc unixodbc-dev libsqlite3-dev fonts-thai-tlwg pkg-config
                       mdbtools-dev)
# Packages the tests add: GoogleTest; a PostgreSQL server, its ODBC driver and the SQLite ODBC
# driver, to prove the server path with real drivers.
VELTHORN_TEST_PACKAGES=(googletest libgtest-dev postgresql odbc-postgresql libsqliteodbc)

velthorn_install() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

velthorn_build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build build -j "$(nproc)"
}
