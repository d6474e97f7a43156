#!/usr/bin/env bash
# Makes Hookfast's sound files from free tools: espeak-ng speaks the deck radio calls,
# sox puts them through a radio-like chain and synthesises the effects.
#
#   assets/make-sounds.sh          writes assets/sounds/, assets/sounds/Ops_Sounds/
#                                  and the demo aircraft's clips in assets/demo/Ops_Sounds/
#
# Every file is mono 16-bit PCM WAV at 11025 Hz, a format the Windows wave-audio device
# plays everywhere; the radio band ends at 3 kHz anyway, and the rate keeps every file
# small. sox runs with -R, so its noise generators start from the same seed and the same
# tools give the same bytes. The outputs are committed; CI does not run this script.
# Needs: espeak-ng, sox (Debian packages of the same names).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
sounds=$here/sounds
ops=$sounds/Ops_Sounds
demo=$here/demo/Ops_Sounds
mkdir -p "$sounds" "$ops" "$demo"

for tool in espeak-ng sox soxi; do
  command -v "$tool" >/dev/null || { echo "make-sounds: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=11025
fmt=(-r "$rate" -c 1 -b 16 -e signed-integer)

# sox with a fixed noise seed; warnings stay visible. Sources are made with headroom
# (sox computes in 32 bits, but clips where an effect's output leaves full scale), and
# the chains end by normalising the peak.
sx() { sox -R "$@"; }

# Silence of a given length.
silence() { sx -n "${fmt[@]}" "$1" trim 0 "$2"; }

# Noise burst in the radio band: file, length, level (dB), fade-in, fade-out.
radio_noise() { sx -n "${fmt[@]}" "$1" synth "$2" whitenoise sinc 300-3000 gain "$3" fade t "$4" "$2" "$5"; }

# Length of a file in seconds.
length() { soxi -D "$1"; }

# ---------------------------------------------------------------------------------------
# Deck radio calls.
#
# A clip is: key click and squelch opening, the voice through a handheld-radio chain
# (band-pass 300-3000 Hz, overdrive, hard compression) over a faint hiss, and the
# squelch tail when the carrier drops. The pilot speaks through his oxygen mask, so his
# chain is a little darker and dirtier than the deck officer's.

# radio_call <out.wav> <voice> <pitch> <words per minute> <text> <pilot|deck>
radio_call() {
  local out=$1 voice=$2 pitch=$3 speed=$4 text=$5 who=$6
  local raw=$work/raw.wav voice_wav=$work/voice.wav
  espeak-ng -v "$voice" -p "$pitch" -s "$speed" -a 160 -w "$raw" "$text"

  local colour=(sinc 300-3000)
  local drive=(overdrive 10 20 gain -8)
  if [ "$who" = pilot ]; then
    colour=(sinc 300-2600 equalizer 1200 1q 3)
    drive=(overdrive 16 25 gain -10)
  fi
  # Cut espeak's lead-in and tail silence, then the radio chain.
  sx "$raw" "${fmt[@]}" "$voice_wav" \
     silence 1 0.01 0.3% reverse silence 1 0.01 0.3% reverse \
     gain -3 "${colour[@]}" "${drive[@]}" "${colour[@]}" \
     compand 0.003,0.08 6:-60,-60,-40,-22,-20,-10,0,-6 -4 -70 0.02 \
     gain -n -4

  local body=$work/body.wav hiss=$work/hiss.wav
  radio_noise "$hiss" "$(length "$voice_wav")" -34 0 0
  sx -m -v 0.8 "$voice_wav" -v 0.8 "$hiss" "$body"

  # Squelch: a click (a few milliseconds of square wave) and a brief rush when the key goes down,
  # a longer rush when it comes up.
  local click=$work/click.wav open=$work/open.wav tail=$work/tail.wav
  sx -n "${fmt[@]}" "$click" synth 0.006 square 90 gain -10 fade t 0 0.006 0.004
  radio_noise "$open" 0.06 -18 0.002 0.03
  radio_noise "$tail" 0.16 -12 0.004 0.09
  silence "$work/lead.wav" 0.04
  sx "$work/lead.wav" "$click" "$open" "$body" "$tail" "$out" highpass 60 gain -n -1
}

pilot_voice=en-us+m3
deck_voice=en-us+m1

radio_call "$ops/RADIO_PILOT_ON_APPROACH.wav"         "$pilot_voice" 38 165 "On approach, ball, three point two." pilot
radio_call "$ops/RADIO_PILOT_ON_CAT.wav"              "$pilot_voice" 38 165 "On the cat, ready for launch." pilot
# The deck officer's "Roger" answers both the ball call and the pilot on the catapult.
radio_call "$ops/RADIO_DECKOFFICER_ROGER.wav"         "$deck_voice" 52 160 "Roger." deck
radio_call "$ops/RADIO_DECKOFFICER_CAT_SET.wav"       "$deck_voice" 52 160 "Cat set, stand by." deck
radio_call "$ops/RADIO_DECKOFFICER_CAT_DISENGAGED.wav" "$deck_voice" 52 160 "Cat disengaged." deck

# The demo aircraft's side number, spoken by each side; named after its title.
radio_call "$demo/RADIO_PILOT_Hookfast Demo Hornet_ID.wav"       "$pilot_voice" 38 165 "Hornet five one two." pilot
radio_call "$demo/RADIO_DECKOFFICER_Hookfast Demo Hornet_ID.wav" "$deck_voice" 52 160 "Five one two." deck

# ---------------------------------------------------------------------------------------
# Effects. Each is built from layers that start at a given time (pad) and are mixed.

# mix <out.wav> <peak dB> <layer.wav>...: sums the layers (each made at its own level,
# all scaled alike here so the sum cannot clip), pads to the longest, takes out DC and
# rumble below hearing, and sets the peak.
mix() {
  local out=$1 peak=$2; shift 2
  local args=()
  for layer in "$@"; do args+=(-v 0.3 "$layer"); done
  sx -m "${args[@]}" "$out" highpass 25 gain -n "$peak"
}

# train <out.wav> <source> <gap:length:level>...: a series of short bursts, each after
# its gap of silence (seconds), of the given length and level (dB), each dying away.
# The irregular timing is written out by the callers, so every run gives the same
# pattern. Sources: "noise <low>-<high>" (band of white noise) or "buzz <Hz>" (square).
train() {
  local out=$1 source=$2; shift 2
  local kind band parts=() i=0 gap len level
  read -r kind band <<<"$source"
  for burst in "$@"; do
    IFS=: read -r gap len level <<<"$burst"
    silence "$work/gap$i.wav" "$gap"
    if [ "$kind" = noise ]; then
      sx -n "${fmt[@]}" "$work/burst$i.wav" synth "$len" whitenoise gain -6 sinc "$band" \
         gain -n "$level" fade l 0.0005 "$len" "$(awk -v l="$len" 'BEGIN { print l * 0.8 }')"
    else
      sx -n "${fmt[@]}" "$work/burst$i.wav" synth "$len" square "$band" gain -6 lowpass 2500 \
         overdrive 10 gain -n "$level" fade t 0.002 "$len" 0.004
    fi
    parts+=("$work/gap$i.wav" "$work/burst$i.wav")
    i=$((i + 1))
  done
  sx "${parts[@]}" "$out"
}

# Cable catch: the hook slams into the wire (a heavy metallic thud with a short ring),
# then the arresting engine pays out the cable and spools down with a falling whine.
sx -n "${fmt[@]}" "$work/thud.wav" synth 0.45 brownnoise gain -6 lowpass 220 lowpass 220 \
   gain -n -2 fade l 0.002 0.45 0.43
sx -n "${fmt[@]}" "$work/thump.wav" synth 0.35 sine 70:38 gain -3 fade l 0.001 0.35 0.33
sx -n -r "$rate" -c 4 -b 16 "$work/ring4.wav" synth 0.9 pluck 311 pluck 743 pluck 1129 pluck 1867
sx "$work/ring4.wav" "${fmt[@]}" "$work/ring.wav" remix - gain -n -8 fade l 0 0.9 0.85
sx -n "${fmt[@]}" "$work/whine.wav" synth 1.45 triangle 900-160 gain -6 lowpass 1400 gain -n -14 \
   fade q 0.15 1.45 0.6 pad 0.1
sx -n "${fmt[@]}" "$work/payout.wav" synth 1.35 pinknoise gain -6 sinc 200-1600 gain -n -15 \
   fade t 0.05 1.35 0.9 pad 0.08
mix "$sounds/CableCatch.wav" -1 "$work/thud.wav" "$work/thump.wav" "$work/ring.wav" \
    "$work/whine.wav" "$work/payout.wav"

# Catapult: the shuttle's release clunk, then a steam roar that rises in level and
# brightness as band after band comes in, a rising drone under it, and a quick fade at
# the end of the stroke.
sx -n "${fmt[@]}" "$work/clunk.wav" synth 0.25 brownnoise gain -6 lowpass 300 gain -n -3 \
   fade l 0.002 0.25 0.22
sx -n "${fmt[@]}" "$work/low.wav"  synth 2.6 brownnoise gain -6 lowpass 350 gain -n -5 \
   fade h 0.5 2.6 0.45
sx -n "${fmt[@]}" "$work/mid.wav"  synth 2.3 pinknoise gain -6 sinc 350-1500 gain -n -6 \
   fade h 1.2 2.3 0.45 pad 0.3
sx -n "${fmt[@]}" "$work/high.wav" synth 1.8 whitenoise gain -6 sinc 1500-5000 gain -n -12 \
   fade h 1.2 1.8 0.45 pad 0.8
sx -n "${fmt[@]}" "$work/rise.wav" synth 2.5 sawtooth 60-220 gain -6 lowpass 900 gain -n -12 \
   fade h 0.8 2.5 0.45 pad 0.1
mix "$sounds/Catapult.wav" -1 "$work/clunk.wav" "$work/low.wav" "$work/mid.wav" \
    "$work/high.wav" "$work/rise.wav"

# Far explosion: a muffled boom, its attack softened by the distance, rolling away.
sx -n "${fmt[@]}" "$work/far.wav" synth 2.0 brownnoise gain -6 lowpass 500 lowpass 500 \
   gain -n -3 fade l 0.05 2.0 1.85 reverb 60 50 90 100 20 0
sx -n "${fmt[@]}" "$work/farsub.wav" synth 1.4 sine 48:30 gain -4 fade l 0.06 1.4 1.3
mix "$sounds/DamageFarExplosion.wav" -6 "$work/far.wav" "$work/farsub.wav"

# Near explosion: a sharp crack, a saturated boom held up by compression, then debris
# falling back on the airframe.
sx -n "${fmt[@]}" "$work/crack.wav" synth 0.1 whitenoise overdrive 20 gain -n -1 fade l 0 0.1 0.095
sx -n "${fmt[@]}" "$work/boom.wav" synth 1.8 brownnoise gain -6 lowpass 1200 overdrive 20 \
   compand 0.002,0.3 6:-70,-70,-30,-12,0,-3 -6 -20 gain -n -1 fade l 0.002 1.8 1.6 reverb 30 40 60
sx -n "${fmt[@]}" "$work/sub.wav" synth 1.2 sine 60:30 gain -1 fade l 0.002 1.2 1.1
train "$work/debris.wav" "noise 900-4500" 0.45:0.03:-10 0.06:0.02:-14 0.11:0.04:-9 \
      0.03:0.015:-16 0.17:0.03:-12 0.05:0.05:-11 0.22:0.02:-17 0.09:0.03:-13 0.31:0.025:-18
mix "$sounds/DamageNearExplosion.wav" -0.5 "$work/crack.wav" "$work/boom.wav" "$work/sub.wav" \
    "$work/debris.wav"

# Radio hit: a call that breaks up into chopped, distorted fragments in a wash of
# static and crackle, then the carrier drops in a rush of noise.
espeak-ng -v "$pilot_voice" -p 38 -s 175 -a 160 -w "$work/raw.wav" "Say again, I am hit, say again"
sx "$work/raw.wav" "${fmt[@]}" "$work/garble.wav" silence 1 0.01 0.3% reverse silence 1 0.01 0.3% reverse \
   gain -3 sinc 500-2400 overdrive 30 40 gain -6 sinc 500-2400 tremolo 23 90 \
   synth square amod 6.5 gain -n -2
radio_noise "$work/static.wav" "$(length "$work/garble.wav")" -20 0.05 0
train "$work/crackle.wav" "noise 300-5000" 0.08:0.006:-8 0.13:0.01:-12 0.05:0.004:-6 \
      0.21:0.008:-10 0.04:0.005:-9 0.17:0.012:-14 0.09:0.004:-7 0.26:0.007:-11 \
      0.06:0.005:-8 0.14:0.009:-13 0.11:0.004:-9
radio_noise "$work/rush.wav" 0.45 -4 0.02 0.25
sx -m -v 0.5 "$work/garble.wav" -v 0.5 "$work/static.wav" -v 0.5 "$work/crackle.wav" "$work/gbody.wav"
sx "$work/gbody.wav" "$work/rush.wav" "$sounds/DamageRadio.wav" gain -n -1

# Electrical hit: the 400 Hz bus arcing in stuttering bursts over a steady hum, with
# sparks crackling on top.
sx -n "${fmt[@]}" "$work/hum.wav" synth 1.5 square 400 gain -6 lowpass 1500 gain -n -18 \
   fade t 0.01 1.5 0.3
train "$work/arcs.wav" "buzz 400" 0.02:0.12:-4 0.05:0.06:-7 0.03:0.21:-3 0.09:0.04:-9 \
      0.02:0.15:-5 0.14:0.08:-6 0.04:0.05:-10 0.06:0.18:-4 0.11:0.05:-8
train "$work/sparks.wav" "noise 1500-5000" 0.03:0.008:-6 0.09:0.005:-9 0.04:0.012:-5 \
      0.15:0.006:-8 0.07:0.004:-11 0.12:0.01:-6 0.05:0.005:-10 0.2:0.008:-7 0.08:0.006:-9 \
      0.1:0.004:-12
mix "$sounds/DamageElectricalSystem.wav" -9 "$work/hum.wav" "$work/arcs.wav" "$work/sparks.wav"

echo "make-sounds: wrote $(find "$sounds" "$here/demo" -name '*.wav' | wc -l) files"
