-- MAME's Lua plugin interface in small, to run the combos plugin frame by frame: lua5.4 mame_sim.lua <init.lua> <scenario>
-- Scenario lines: "frames N" (print the fields at 1 after each of N frames), "bench N" (cost per frame over N frames),
-- "hold TOKEN FROM TO", "cycle TOKEN..." (each token in turn down for 20 of every 40 frames).

local init_path, scenario_path = arg[1], arg[2]

local scenario = {holds = {}, bench = 0, frames = 0}
for line in io.lines(scenario_path) do
  local word, rest = line:match('^(%S+)%s*(.*)$')
  if word == 'hold' then
    local token, from, to = rest:match('^(%S+)%s+(%d+)%s+(%d+)$')
    scenario.holds[#scenario.holds + 1] = {token = token, from = tonumber(from), to = tonumber(to)}
  elseif word == 'bench' then scenario.bench = tonumber(rest)
  elseif word == 'frames' then scenario.frames = tonumber(rest)
  elseif word == 'cycle' then scenario.cycle = {}
    for token in rest:gmatch('%S+') do table.insert(scenario.cycle, token) end
  end
end

local Field = {}
Field.__index = Field
function Field:set_value(v) self.value = (v ~= 0) and 1 or 0 end
function Field:clear_value() self.value = 0 end

local function make_port(tag, names)
  local port = {tag = tag, fields = {}}
  for _, name in ipairs(names) do port.fields[name] = setmetatable({name = name, value = 0}, Field) end
  return port
end

local function player_names(p)
  local names = {}
  for _, dir in ipairs({'Up', 'Down', 'Left', 'Right'}) do names[#names + 1] = 'P' .. p .. ' ' .. dir end
  for b = 1, 6 do names[#names + 1] = 'P' .. p .. ' Button ' .. b end
  return names
end

local ports = {
  [':IN0'] = make_port(':IN0', player_names(1)),
  [':IN1'] = make_port(':IN1', player_names(2)),
  [':SYSTEM'] = make_port(':SYSTEM', {'1 Player Start', '2 Players Start', 'Coin 1', 'Service Mode'}),
  -- The same button wired to a second input, and names the plugin must not take.
  [':EXTRA'] = make_port(':EXTRA', {'P1 Button 3', 'P1 Button 7', 'P3 Up', 'P1 Paddle'}),
}

local held = {}
local input = {}
function input:seq_from_tokens(text)
  local seq = {text = text, tokens = {}}
  for token in (text .. ' OR '):gmatch('(.-) OR ') do seq.tokens[#seq.tokens + 1] = token end
  return seq
end
function input:seq_pressed(seq)
  for _, token in ipairs(seq.tokens) do if held[token] then return true end end
  return false
end

local frame_no = 0
local clock = {}
function clock:as_double() return (frame_no - 1) / 60 end

manager = {machine = {time = clock, input = input, ioport = {ports = ports}}}

local frame_callbacks = {}
emu = {}
function emu.add_machine_frame_notifier(fn) frame_callbacks[#frame_callbacks + 1] = fn; return {} end
function emu.add_machine_stop_notifier() return {} end

local exports = dofile(init_path)
exports.startplugin()

local function run_frame() for i = 1, #frame_callbacks do frame_callbacks[i]() end end

local function set_held()
  held = {}
  for _, h in ipairs(scenario.holds) do if frame_no >= h.from and frame_no <= h.to then held[h.token] = true end end
end

-- "F<n>: port field,..." in a fixed order: what the game would read that frame.
for n = 1, scenario.frames do
  frame_no = n
  set_held()
  run_frame()
  local on = {}
  for tag, port in pairs(ports) do
    for name, field in pairs(port.fields) do if field.value == 1 then on[#on + 1] = tag .. ' ' .. name end end
  end
  table.sort(on)
  print('F' .. n .. ': ' .. table.concat(on, ','))
end
if scenario.bench == 0 then return end

-- Cost per frame of the handler, against an empty handler in the same run.
local function timed(fn)
  local started = os.clock()
  for n = 1, scenario.bench do
    frame_no = n
    if n % 20 == 1 then
      set_held()
      local cycle = scenario.cycle
      if cycle and (n // 20) % 2 == 0 then held[cycle[(n // 40) % #cycle + 1]] = true end
    end
    fn()
  end
  return (os.clock() - started) / scenario.bench * 1e9
end
local baseline = timed(function() end)
local cost = timed(run_frame)
print(string.format('bench empty %.0f ns/frame, plugin %.0f ns/frame', baseline, cost))
