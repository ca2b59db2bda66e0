#!/bin/sh
# install.sh: the Trevalon demo installer.
#
# An installer for the invented Orvanta R96 release, written the way the
# installer scripts that Trevalon serves are written: the control flow is
# here, and whenever the user is needed one of the programs is started and
# its answer read back: the exit status, the assignment lines it prints, the
# product selection files it writes.
#
#   mainpanel  the forms: display test, platform, installation type, main
#              menu, installation information (with the e-mail browser),
#              media and devices, products, documents, disk space, mounting,
#              list, remove, configure, test, message
#   ferrule    unscrambles and decompresses the distribution archive and
#              checksums it
#   tart       lists the archive's members with their checksums
#   asker      notes and yes/no questions
#   hourglass  the progress window while packages are loaded
#
# Every answer is reported on standard output as a line "  => what: answer".
#
# Environment: Proot, the installation root (a copy of demo/root with the
# demo's media in $Proot/media); PATH holding the five programs; DISPLAY.
# BOURNE, XTERM and TrevStartDir get defaults when unset.
#
# With TREV_INSTALL_LIB set, a shell that sources this file gets the
# installer's settings and functions, the saved state loaded, and no run.
set -u
me=install.sh

say() { printf '%s\n' "$*"; }
die() { printf '%s: %s\n' "$me" "$*" >&2; exit 1; }
answered() { printf '  => %s\n' "$*"; }

# Names from catalogues, markers, work orders and the platform file become
# file names below the root and arguments of rm and tar.  checked WHAT NAME
# succeeds when NAME is a plain file name: not empty, no "/", no leading "."
# or "-", no white space or control character; else it reports the name
# (unprintable bytes as "?") as skipped.
checked() {
    case $2 in
    '' | */* | .* | -* | *[[:space:][:cntrl:]]*)
        printf "%s: skipped the %s '%s': not a plain file name\n" "$me" "$1" \
            "$(printf '%s' "$2" | tr -c '[:print:]' '?')" >&2
        return 1 ;;
    esac
}

# plain WHAT: the lines of standard input that are plain names (see
# checked); empty lines are passed over.
plain() {
    while IFS= read -r item; do
        [ -z "$item" ] || { checked "$1" "$item" && printf '%s\n' "$item"; }
    done
}

# quoted VALUE: VALUE in single quotes, each quote in it written '\'', as
# mainpanel quotes what it prints: read back by the shell, the same bytes.
quoted() { printf '%s\n' "$1" | sed "s/'/'\\\\''/g; 1s/^/'/; \$s/\$/'/"; }

[ -n "${Proot:-}" ] || die "Proot is not set: it names the installation root"
[ -d "$Proot/install" ] || die "$Proot is no installation root (no install directory)"
for program in mainpanel ferrule tart asker hourglass; do
    command -v "$program" > /dev/null || die "$program is not on PATH"
done
export Proot
BOURNE=${BOURNE:-/bin/sh}
XTERM=${XTERM:-$(command -v xterm || echo /usr/bin/X11/xterm)}
TrevStartDir=${TrevStartDir:-$Proot/mail}
export BOURNE XTERM TrevStartDir

inst=$Proot/install
etc=$inst/etc
tmp=$inst/tmp
pdts=$inst/pdts
pkgs=$inst/pkgs
orders=$inst/orders
opt=$Proot/opt/orvanta
state=$tmp/install.state
mkdir -p "$tmp" "$opt" "$Proot/etc/orvanta" || die "cannot write below $Proot"

cd_drive=/dev/sr0          # the demo's CD-ROM drive, mounted on $Proot/cdrom
tape_drive=/dev/rmt/0      # the demo's tape drive, holding $Proot/media/tape0
cd_label=ORVANTA-R96-CD1
tape_label=ORVANTA-R96-UPD1

# What the installer remembers from one run to the next: shell assignments,
# each value quoted.  A platform or work order that is no plain name is not
# taken back.
plat=sun4v itype=custom src=2 order='' DeviceCD='' DeviceTAPE=$tape_drive EmailFile=''
# shellcheck source=/dev/null
[ -f "$state" ] && . "$state"
checked platform "$plat" || plat=sun4v
[ -z "$order" ] || checked "work order" "$order" || order=
save_state() {
    for var in plat itype src order DeviceCD DeviceTAPE EmailFile; do
        eval "printf '%s=%s\\n' $var \"\$(quoted \"\$$var\")\""
    done > "$state"
}

# ---------------------------------------------------------------- programs

# form TYPE ARGS...: shows one form; $rc is its answer, $out what it printed.
form() {
    out=$(mainpanel "$@")
    rc=$?
    printed=$(printf '%s' "$out" | tr '\n' ' ' | sed 's/ $//')
    answered "mainpanel $1: $rc${printed:+ $printed}"
}

# note TEXT / ask TEXT: asker's note and question ("~" breaks lines); ask
# succeeds on Yes.
note() {
    asker "$1"
    answered "asker: $?"
}
ask() {
    asker QUES "$1"
    rc=$?
    answered "asker QUES: $rc"
    [ "$rc" -eq 15 ]
}

# A form that ended in a way no button gives: say so, back to the menu.
failed() {
    note "mainpanel $1 failed (status $2).~See the terminal for its message."
}

# choose RESULT TYPE ARGS...: a form in which the user picks products into
# the product file RESULT; succeeds when some were picked, else $rc says how
# the form ended.
choose() {
    result=$1
    shift
    form "$@"
    case $rc in
    0) answered "selected: $(names "$result")"; return 0 ;;
    250 | 255) ;;
    *) failed "$1" "$rc" ;;
    esac
    return 1
}

# take: evaluates the assignment lines a form printed (DeviceCD, DeviceTAPE,
# TFILE, EmailFile), each checked to be one quoted value without quotes in it
# (mainpanel quotes a quote safely, but no device or file name of this
# installer holds one); fails on any other, and then takes none of them.
take() {
    set -f
    old_ifs=$IFS
    IFS='
'
    refused=
    for line in $out; do
        case $line in
        *\'*\'*\'*) refused="a name with a quote (') in it" ;;
        DeviceCD=\'*\' | DeviceTAPE=\'*\' | TFILE=\'*\' | EmailFile=\'*\') ;;
        *) refused="this answer" ;;
        esac
    done
    if [ -z "$refused" ]; then
        for line in $out; do eval "$line"; done
    fi
    IFS=$old_ifs
    set +f
    if [ -n "$refused" ]; then
        note "The installer cannot use $refused:~$out"
        return 1
    fi
    save_state
}

# ---------------------------------------------------------------- catalogue

title() { printf '%s' "$1" | tr '~' ' '; }

# status NAME TAG1 TAG2: available, installed or failed, from the markers.
status() {
    if [ -f "$pdts/$1_$2_$3.ok" ]; then echo installed
    elif [ -f "$pdts/$1_$2_$3.nok" ]; then echo failed
    else echo available
    fi
}

# offer CATALOGUE [NAMES]: the catalogue's products (those named in the file
# NAMES, when given) as a product file with their present status.
offer() {
    while read -r t aux name size tag1 tag2 _; do
        [ -n "$tag2" ] || continue
        checked product "${name}_${tag1}_$tag2" || continue
        if [ $# -eq 2 ] && ! grep -Fqx "$name" "$2"; then continue; fi
        echo "$t $aux $name $size $tag1 $tag2 $(status "$name" "$tag1" "$tag2")"
    done < "$1"
}

# keep STATUS... < PRODUCTS: the products of the given statuses.
keep() {
    while read -r t aux name size tag1 tag2 st; do
        for want in "$@"; do
            [ "$st" = "$want" ] && echo "$t $aux $name $size $tag1 $tag2 $st"
        done
    done
}

names() { awk '{ print $3 }' "$1" | tr '\n' ' ' | sed 's/ $//'; }

# packages NAME TAG1 TAG2 STATUS: the product's packages, from its marker or
# the bundle file; only plain names.
packages() {
    checked product "$1_$2_$3" || return
    case $4 in
    installed) sed 1d "$pdts/$1_$2_$3.ok" ;;
    failed) sed 1d "$pdts/$1_$2_$3.nok" ;;
    *) awk -v p="$1" '$3 == p { print $2 }' "$tmp/bundles.$plat" ;;
    esac | plain package
}

# needed PRODUCTS: the packages of the products that are not installed yet,
# each once.
needed() {
    while read -r _ _ name _ tag1 tag2 st; do
        [ "$st" = installed ] || packages "$name" "$tag1" "$tag2" "$st"
    done < "$1" | sort -u | while read -r pkg; do
        [ -f "$pkgs/$pkg.ok" ] || echo "$pkg"
    done
}

# size PACKAGE: KBytes, from its failed marker or the package information.
size() {
    if [ -f "$pkgs/$1.nok" ]; then
        head -n 1 "$pkgs/$1.nok" | awk '{ print $3 }'
    else
        awk -v p="$1" '$2 == p { kb = $3 } END { print kb + 0 }' "$tmp/pkginfo.$plat"
    fi
}

required() {
    kb=0
    for pkg in $(needed "$1"); do kb=$((kb + $(size "$pkg"))); done
    echo "$kb"
}

# free_disk: what the installer's estimator says, as the forms run it.
free_disk() {
    rm -f "$tmp/freeDisk.out"
    if "$BOURNE" "$inst/bin.sun4v/freeDisk" "$tmp/freeDisk.out"; then
        head -n 1 "$tmp/freeDisk.out"
    else
        echo 0
    fi
}

# The work order's lines KEY VALUE.
order_lines() { awk -v k="$1" '$1 == k { print $2 }' "$orders/$order"; }

# read_order FILE: takes a work order out of an e-mail or a tape file: the
# lines between the markers, or the whole file when it has none.
read_order() {
    if grep -q '^---- BEGIN WORK ORDER ----$' "$1"; then
        sed -n '/^---- BEGIN WORK ORDER ----$/,/^---- END WORK ORDER ----$/p' "$1" | sed '1d;$d'
    else
        cat "$1"
    fi > "$tmp/order.new"
    got=$(awk '$1 == "ORDER" { print $2; exit }' "$tmp/order.new")
    case $got in
    '' | *\'*) got= ;;
    *) checked "work order" "$got" || got= ;;
    esac
    if [ -z "$got" ]; then
        note "$1~holds no work order."
        return 1
    fi
    if [ "$(awk '$1 == "PLATFORM" { print $2 }' "$tmp/order.new")" != "$plat" ]; then
        note "Work order $got is for another platform than $plat."
        return 1
    fi
    mv "$tmp/order.new" "$orders/$got"
    order=$got
    grep -q "^$order " "$etc/workorders" 2> /dev/null || printf '%-21s%s\n' "$order" "$plat" >> "$etc/workorders"
    save_state
    say "Work order $order taken."
}

# order_at N: the work order on line N of the list becomes $order (unless
# it is no plain name); fails, with a note, when it is not on this system.
order_at() {
    got=$(sed -n "${1}p" "$etc/workorders" | awk '{ print $1 }')
    if [ -z "$got" ] || checked "work order" "$got"; then order=$got; fi
    if [ -n "$got" ] && [ "$order" = "$got" ] && [ -f "$orders/$got" ]; then
        save_state
        return 0
    fi
    note "Work order ${got:-number $1} is not on this system."
    return 1
}

# has_platform NAME: whether NAME is a plain name with a catalogue here.
has_platform() { checked platform "$1" && [ -f "$tmp/bundles.$1" ] && [ -f "$etc/products.$1" ]; }

# ---------------------------------------------------------------- media

# cd_ready: whether the CD-ROM wanted ($want) can be read in $DeviceCD; else
# $why says what is wrong: device or disc.
cd_ready() {
    case $DeviceCD in
    "$cd_drive") ;;
    *:*) why=device; say "The demo cannot reach the host ${DeviceCD%%:*}."; return 1 ;;
    *) why=device; say "The demo has no CD-ROM drive $DeviceCD."; return 1 ;;
    esac
    why=disc
    [ "$(cat "$Proot/cdrom/LABEL" 2> /dev/null)" = "$want" ]
}

# tape_file: the file behind the tape device $DeviceTAPE, if the demo has it.
tape_file() {
    case $DeviceTAPE in
    "$tape_drive") echo "$Proot/media/tape0" ;;
    *) return 1 ;;
    esac
}

# get_cd: until the disc $want can be read: the device forms.  Fails when the
# user leaves (Main Menu, Skip); status 2 for Previous.
get_cd() {
    echo "$want" > "$tmp/cdrom.want"
    if [ -z "$DeviceCD" ]; then
        form 4 CDROM 1 "$cd_drive" 0 "$want"
        case $rc in
        0) take || return 1 ;;
        255) return 2 ;;
        250) return 1 ;;
        *) failed 4 "$rc"; return 1 ;;
        esac
    fi
    if ! cd_ready; then
        form 15 CDROM "$want" "$DeviceCD"
        case $rc in
        0) take || return 1 ;;
        250) return 1 ;;
        *) failed 15 "$rc"; return 1 ;;
        esac
    fi
    until cd_ready; do
        if [ "$why" = device ]; then
            form 14 CDROM "$DeviceCD"
            case $rc in
            0) take || return 1 ;;
            250) return 1 ;;
            *) failed 14 "$rc"; return 1 ;;
            esac
        else
            mounted=$(cat "$Proot/cdrom/LABEL" 2> /dev/null)
            form 5 "$mounted" "$want" "$DeviceCD" 0
            case $rc in
            0 | 221) take || return 1 ;;
            5) say "Disc $want skipped."; return 1 ;;
            248) note "The terminal for mounting could not be started." ;;
            250) return 1 ;;
            *) failed 5 "$rc"; return 1 ;;
            esac
        fi
    done
}

# ---------------------------------------------------------------- loading

# progress_start / progress_end: the progress window while work goes on; it
# does not outlive the installer.
hg=
trap '[ -z "$hg" ] || kill "$hg" 2> /dev/null' EXIT
trap 'exit 130' INT TERM
progress_start() {
    hourglass &
    hg=$!
}
progress_end() {
    kill "$hg" 2> /dev/null
    wait "$hg" 2> /dev/null # no word from the shell on the signal: expected
    answered "hourglass: $?"
    hg=
}

# unpack NAMES ARCHIVE FERRULE-ARGS...: extracts into $opt the members named
# in the file NAMES, one a line, each taken as a name (never as an option or
# a pattern), from ARCHIVE (a path from $Proot) read through ferrule; sets
# $ferrule_rc and $tar_rc, each stage's status, as sh has no pipefail.
unpack() {
    wanted=$1 archive=$2
    shift 2
    (cd "$Proot" && ferrule "$@" < "$archive"; echo $? > "$tmp/ferrule.rc") |
        tar -xf - -C "$opt" --no-wildcards --no-unquote --verbatim-files-from -T "$wanted"
    tar_rc=$?
    ferrule_rc=$(cat "$tmp/ferrule.rc")
}

# marker FILE TAG WHAT: the first line of a marker.
marker() { echo "$2 $3 $(date +%Y-%m-%d) $(printf '%s' "$workorder" | tr ' ' '~')" > "$1"; }

# install_chosen: loads the products of $chosen from the mounted disc and
# writes the log $log.
install_chosen() {
    log=$tmp/install.log
    needed "$chosen" > "$tmp/members"
    {
        echo "Loading from $want in $DeviceCD ($workorder)."
        echo
    } > "$log"
    progress_start
    # The members as the disc lists them, against what the archive holds.
    awk 'NR == FNR { want[$1]; next } { split($3, p, "/"); if (p[1] in want) print }' \
        "$tmp/members" "$Proot/cdrom/CONTENTS" > "$tmp/contents.want"
    (cd "$Proot" && ferrule x < cdrom/R96.PKG) | tart '+%c %s %f' -I "$tmp/members" > "$tmp/contents.got"
    if cmp -s "$tmp/contents.want" "$tmp/contents.got"; then
        echo "Archive members checked: $(wc -l < "$tmp/contents.got") files." >> "$log"
    else
        echo "Archive members differ from the disc's contents list." >> "$log"
    fi
    rm -f "$tmp/R96.sum"
    # A product counts as loaded only from an archive read whole: ferrule
    # and tar both content (each stage's status kept, as sh has no
    # pipefail) and the checksum the disc gives.
    whole=1
    if [ -s "$tmp/members" ]; then
        unpack "$tmp/members" cdrom/R96.PKG xv "$tmp/R96.sum" 2>> "$log"
        if [ "$ferrule_rc" -ne 0 ] || [ "$tar_rc" -ne 0 ]; then
            echo "Archive not read whole (ferrule status $ferrule_rc, tar status $tar_rc)." >> "$log"
            whole=0
        fi
        if [ "$(tail -n 1 "$tmp/R96.sum" 2> /dev/null)" = "$(cat "$Proot/cdrom/CHECKSUM")" ]; then
            echo "Archive checksum $(cat "$Proot/cdrom/CHECKSUM") correct." >> "$log"
        else
            echo "Archive checksum wrong: the disc may be damaged." >> "$log"
            whole=0
        fi
    fi
    echo >> "$log"
    while read -r t _ name _ tag1 tag2 st; do
        tag=${name}_${tag1}_$tag2
        if [ "$st" = installed ]; then
            echo "$(title "$t") $tag1: already installed." >> "$log"
            continue
        fi
        sleep 1 # a moment per product, so that the progress can be followed
        pkglist=$(packages "$name" "$tag1" "$tag2" "$st")
        ok=0
        for pkg in $pkglist; do
            [ -f "$pkgs/$pkg.ok" ] || { [ "$whole" -eq 1 ] && [ -d "$opt/$pkg" ]; } || ok=1
        done
        rm -f "$pdts/$tag.ok" "$pdts/$tag.nok"
        if [ "$ok" -eq 0 ]; then
            marker "$pdts/$tag.ok" "$tag" installed
            for pkg in $pkglist; do
                if [ ! -f "$pkgs/$pkg.ok" ]; then
                    echo "$pkg R96 $(size "$pkg") $(date +%Y-%m-%d)" > "$pkgs/$pkg.ok"
                    rm -f "$pkgs/$pkg.nok"
                fi
                echo "$tag" >> "$pkgs/$pkg.ok"
                echo "$pkg" >> "$pdts/$tag.ok"
            done
            echo "$(title "$t") $tag1: installed." >> "$log"
        else
            marker "$pdts/$tag.nok" "$tag" failed
            for pkg in $pkglist; do
                echo "$pkg" >> "$pdts/$tag.nok"
                [ -f "$pkgs/$pkg.ok" ] || echo "$pkg R96 $(size "$pkg") $(date +%Y-%m-%d)" > "$pkgs/$pkg.nok"
            done
            if [ "$whole" -eq 1 ]; then
                echo "$(title "$t") $tag1: FAILED, packages missing on the disc." >> "$log"
            else
                echo "$(title "$t") $tag1: FAILED, the archive could not be read." >> "$log"
            fi
        fi
    done < "$chosen"
    echo >> "$log"
    echo "Free disk space now: $(free_disk) KBytes." >> "$log"
    progress_end
}

# load: the Load Products road, from the installation information to the
# log of what was loaded.  Sets $next_act, the main menu's next default.
load() {
    next_act=20
    kind=products workorder=
    step=info
    while :; do
        case $step in
        info)
            form 1 "$src" "${order:-0}" "$DeviceTAPE" 0 0
            case $rc in
            1 | 2 | 3 | 4 | 5) src=$rc; save_state ;;
            esac
            case $rc in
            1) step=pick ;;
            2) take && read_order "$EmailFile" && step=hold ;;
            3) take && step=tape ;;
            4) step=media workorder="Orvanta Catalog"
               offer "$etc/products.$plat" > "$tmp/offer.prod" ;;
            5) step=docs ;;
            250) return ;;
            *) failed 1 "$rc"; return ;;
            esac ;;
        pick)
            form 22 "$etc/workorders"
            case $rc in
            255) step=info ;;
            250) return ;;
            *) order_at "$rc" && step=hold ;;
            esac ;;
        tape)
            if file=$(tape_file) && [ "$(cd "$Proot" && ferrule x < "$file" | tar -xOf - LABEL 2> /dev/null)" = "$tape_label" ]; then
                note "The tape in $DeviceTAPE is $tape_label:~it holds updates, not a work order."
                step=info
            elif [ -f "$DeviceTAPE" ]; then
                read_order "$DeviceTAPE" && step=hold || step=info
            else
                form 14 TAPE "$DeviceTAPE"
                case $rc in
                0) take || step=info ;;
                250) return ;;
                *) failed 14 "$rc"; return ;;
                esac
            fi ;;
        hold)
            order_lines PRODUCT > "$tmp/order.names"
            offer "$etc/products.$plat" "$tmp/order.names" > "$tmp/offer.prod"
            workorder=$order
            order_lines HOLD > "$tmp/hold.names"
            if [ -s "$tmp/hold.names" ]; then
                offer "$etc/products.$plat" "$tmp/hold.names" |
                    awk '{ print $1 " " $3 }' > "$tmp/hold.prod"
                form 17 "$tmp/hold.prod"
                case $rc in
                0 | 250) ;;
                *) failed 17 "$rc" ;;
                esac
            fi
            step=media ;;
        media)
            form 20
            case $rc in
            55) step=required ;;
            56) note "Release R96 comes on CD-ROM only.~Choose CD-ROM." ;;
            250) return ;;
            *) failed 20 "$rc"; return ;;
            esac ;;
        required)
            if [ "$workorder" = "$order" ]; then order_lines MEDIA; else echo "$cd_label"; fi |
                sed 's/$/   (CD-ROM)/' > "$tmp/media.labels"
            form 21 2 "$tmp/media.labels"
            case $rc in
            0) step=select ;;
            57) step=media ;;
            255) step=info ;;
            250) return ;;
            *) failed 21 "$rc"; return ;;
            esac ;;
        select)
            chosen=$tmp/chosen.prod
            if [ "$itype" = default ]; then
                keep available failed < "$tmp/offer.prod" > "$chosen"
                answered "default installation: $(names "$chosen")"
                step=space
            else
                if choose "$chosen" 2 "$tmp/offer.prod" "$chosen" "$(free_disk)" "$workorder"; then
                    step=space
                else
                    [ "$rc" -eq 255 ] || return
                    step=required
                fi
            fi ;;
        docs)
            kind=documents workorder="Documentation Catalog"
            offer "$etc/documents.$plat" > "$tmp/docs.prod"
            chosen=$tmp/chosen.prod
            if choose "$chosen" 18 "$tmp/docs.prod" "$chosen" "$(free_disk)"; then
                step=space
            else
                [ "$rc" -eq 255 ] || return
                step=info
            fi ;;
        space)
            need=$(required "$chosen")
            free=$(free_disk)
            say "The $kind chosen need $need KBytes; $free KBytes are free."
            if [ "$need" -le "$free" ]; then
                step=disc
            else
                form 3 "$free" "$need"
                case $rc in
                255) itype=custom; if [ "$kind" = documents ]; then step=docs; else step=select; fi ;;
                30) step=disc ;;
                31) ;;
                250) return ;;
                *) failed 3 "$rc"; return ;;
                esac
            fi ;;
        disc)
            want=$cd_label
            get_cd
            case $? in
            0) ;;
            2) if [ "$kind" = documents ]; then step=docs; else step=select; fi; continue ;;
            *) return ;;
            esac
            install_chosen
            form 24 "$log" "Loading has finished.  OK: on to configuring.  Cancel: back to the main menu."
            case $rc in
            51) next_act=11 ;;
            52 | 250) next_act=20 ;;
            *) failed 24 "$rc" ;;
            esac
            return ;;
        esac
    done
}

# ---------------------------------------------------------------- installed products

# products_now: every product and document of the catalogue, with its status.
products_now() {
    offer "$etc/products.$plat"
    offer "$etc/documents.$plat"
}

remove_product() { # name tag1 tag2 status
    tag=$1_$2_$3
    checked product "$tag" || return
    if [ "$4" = installed ]; then
        for pkg in $(packages "$@"); do
            [ -f "$pkgs/$pkg.ok" ] || continue
            grep -vx "$tag" "$pkgs/$pkg.ok" > "$tmp/marker" || true
            if [ "$(wc -l < "$tmp/marker")" -le 1 ]; then
                rm -f "$pkgs/$pkg.ok" "$tmp/marker"
                rm -rf "${opt:?}/$pkg"
            else
                mv "$tmp/marker" "$pkgs/$pkg.ok"
            fi
        done
        rm -f "$pdts/$tag.ok"
    else
        for pkg in $(packages "$@"); do rm -f "$pkgs/$pkg.nok"; done
        rm -f "$pdts/$tag.nok"
    fi
}

remove() {
    products_now | keep installed failed > "$tmp/removable.prod"
    choose "$tmp/remove.prod" 9 "$tmp/removable.prod" "$tmp/remove.prod" || return
    list=$(awk '{ print $1 }' "$tmp/remove.prod" | tr '~' ' ' | sed 's/^/    /' | tr '\n' '~')
    ask "Remove these products?~$list" || return
    while read -r t _ name _ tag1 tag2 st; do
        remove_product "$name" "$tag1" "$tag2" "$st" && say "$(title "$t") $tag1 removed."
    done < "$tmp/remove.prod"
}

configure() {
    done_sys=0 done_user=0
    while [ "$done_sys" -eq 0 ] || [ "$done_user" -eq 0 ]; do
        if [ "$done_sys" -eq 1 ]; then form 10 noSystem
        elif [ "$done_user" -eq 1 ]; then form 10 noUser
        else form 10
        fi
        case $rc in
        40) env=system type=11 ;;
        41) env=user type=12 ;;
        250) return ;;
        *) failed 10 "$rc"; return ;;
        esac
        offer "$etc/products.$plat" | keep installed > "$tmp/configurable.prod"
        if ! choose "$tmp/configure.prod" "$type" "$tmp/configurable.prod" "$tmp/configure.prod"; then
            [ "$rc" -eq 255 ] && continue
            return
        fi
        while read -r t _ name _ tag1 _; do
            echo "ORV_$(echo "$name" | tr '[:lower:]' '[:upper:]')_HOME=$opt   # $(title "$t") $tag1"
        done < "$tmp/configure.prod" > "$Proot/etc/orvanta/$env.env"
        say "The $env environment now holds $(wc -l < "$Proot/etc/orvanta/$env.env") products."
        if [ "$env" = system ]; then done_sys=1; else done_user=1; fi
    done
}

test_products() {
    offer "$etc/products.$plat" | keep installed > "$tmp/testable.prod"
    choose "$tmp/test.prod" 13 "$tmp/testable.prod" "$tmp/test.prod" || return
    results=
    while read -r t _ name _ tag1 tag2 _; do
        verdict=passed
        for pkg in $(packages "$name" "$tag1" "$tag2" installed); do
            [ -f "$pkgs/$pkg.ok" ] || verdict=FAILED
        done
        say "Test of $(title "$t"): $verdict"
        results="$results~    $(title "$t"): $verdict"
    done < "$tmp/test.prod"
    note "Test results:$results"
}

list_products() {
    products_now > "$tmp/all.prod"
    form 8 "$tmp/all.prod"
    case $rc in
    250) ;;
    *) failed 8 "$rc" ;;
    esac
}

# update: applies the update tape to the installed packages of a work order.
update() {
    form 22 "$etc/workorders"
    case $rc in
    255 | 250) return ;;
    esac
    order_at "$rc" || return
    while :; do
        form 6 "$tape_label" "$DeviceTAPE" 0
        case $rc in
        0) take || continue ;;
        5) say "Update skipped."; return ;;
        250) return ;;
        *) failed 6 "$rc"; return ;;
        esac
        while ! file=$(tape_file); do
            form 14 TAPE "$DeviceTAPE"
            case $rc in
            0) take || return ;;
            250) return ;;
            *) failed 14 "$rc"; return ;;
            esac
        done
        label=$(cd "$Proot" && ferrule x < "$file" | tar -xOf - LABEL 2> /dev/null)
        [ "$label" = "$tape_label" ] && break
        note "The tape in $DeviceTAPE is ${label:-unreadable}, not $tape_label."
    done
    # The packages on the tape that products of the work order have installed.
    order_lines PRODUCT > "$tmp/order.names"
    offer "$etc/products.$plat" "$tmp/order.names" | keep installed > "$tmp/update.prod"
    (cd "$Proot" && ferrule x < "$file") | tart '+%f' | sed -n 's|^\([^/]*\)/$|\1|p' | sort > "$tmp/tape.pkgs"
    while read -r _ _ name _ tag1 tag2 _; do
        packages "$name" "$tag1" "$tag2" installed
    done < "$tmp/update.prod" | sort -u | comm -12 - "$tmp/tape.pkgs" > "$tmp/update.pkgs"
    progress_start
    tar_rc=0 ferrule_rc=0
    [ -s "$tmp/update.pkgs" ] && unpack "$tmp/update.pkgs" "$file" x
    sleep 1
    progress_end
    if [ "$ferrule_rc" -ne 0 ] || [ "$tar_rc" -ne 0 ]; then
        note "Work order $order: the update tape $tape_label could not be read whole;~the packages may be only partly updated."
        return
    fi
    note "Work order $order: $(wc -l < "$tmp/update.pkgs") packages updated from $tape_label:~$(tr '\n' ' ' < "$tmp/update.pkgs")"
}

# ---------------------------------------------------------------- the run

# Sourced as a library of the functions above: no run.
[ -z "${TREV_INSTALL_LIB:-}" ] || return 0

mainpanel -1
rc=$?
answered "mainpanel -1: $rc"
[ "$rc" -eq 0 ] || die "no display: set DISPLAY to a display you can use"

form 24 "$etc/R96.notes" "Orvanta release R96"
case $rc in
51) ;;
*) say "Installation not started."; exit 0 ;;
esac

# Platform and installation type, until both are answered; Main Menu goes
# to the menu with the platform and type of the last run.
while :; do
    form 19 "$etc/platforms"
    case $rc in
    0) if ! has_platform "$out"; then
           note "This demo's catalogue holds products for sun4v only."
           continue
       fi
       plat=$out ;;
    250) break ;;
    255) ask "Leave the installer?" && exit 0
         continue ;;
    *) die "mainpanel 19 failed (status $rc)" ;;
    esac
    form 23 "Default Installation
(every product of the work order)" "Custom Installation
(you choose the products)"
    case $rc in
    231) itype=default; break ;;
    232) itype=custom; break ;;
    255) ;;
    250) break ;;
    *) die "mainpanel 23 failed (status $rc)" ;;
    esac
done
OVS_INST_PLAT=$plat
export OVS_INST_PLAT
save_state

act=20
while :; do
    products_now > "$tmp/all.prod"
    some_installed=0 some_removable=0
    grep -q ' installed$' "$tmp/all.prod" && some_installed=1
    grep -q ' installed$\| failed$' "$tmp/all.prod" && some_removable=1
    form 0 "$act" 1 "$some_removable" "$some_installed" "$some_installed" 1
    act=20
    case $rc in
    20) load; act=$next_act ;;
    21) list_products ;;
    22) remove ;;
    11) configure ;;
    12) test_products ;;
    23) update ;;
    250) ask "Leave the Trevalon installer?" && break ;;
    *) die "mainpanel 0 failed (status $rc)" ;;
    esac
done
say "Installed now: $(products_now | keep installed | awk '{ print $3 }' | tr '\n' ' ')"
