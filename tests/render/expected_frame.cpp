// The expected call list of a frame: clear and view, the twelve light calls,
// then every pass with its unit selections, bindings, geometry and state.
#include "tests/render/expected_frame.h"

#include "tests/render/gl_trace.h"

namespace {

using gltrace::Float;

class Frame {
public:
  std::vector<std::string> lines;

  void Add(const std::string &line) { lines.push_back(line); }

  static std::string F(double v) { return Float(v); }
  static std::string F3(double a, double b, double c) {
    return "(" + F(a) + ", " + F(b) + ", " + F(c) + ")";
  }
  static std::string F4(double a, double b, double c, double d) {
    return "(" + F(a) + ", " + F(b) + ", " + F(c) + ", " + F(d) + ")";
  }

  void Unit(int n) {
    Add(n == 0 ? "glActiveTextureARB(GL_TEXTURE0_ARB)"
               : "glActiveTextureARB(GL_TEXTURE1_ARB)");
  }
  void Enable(const char *cap) { Add(std::string("glEnable(") + cap + ")"); }
  void Disable(const char *cap) { Add(std::string("glDisable(") + cap + ")"); }
  void Bind(int slot) {
    Add("glBindTexture(GL_TEXTURE_2D, slot" + std::to_string(slot) + ")");
  }
  void Begin(const char *mode) { Add(std::string("glBegin(") + mode + ")"); }
  void End() { Add("glEnd()"); }
  void Tex(float s, float t) {
    Add("glTexCoord2f(" + F(s) + ", " + F(t) + ")");
  }
  void Multi(int unit, float s, float t) {
    Add(std::string("glMultiTexCoord2fARB(GL_TEXTURE") + (unit ? "1" : "0") +
        "_ARB, " + F(s) + ", " + F(t) + ")");
  }
  void Vertex(float x, float y, float z) { Add("glVertex3f" + F3(x, y, z)); }
  void TexVertex(float s, float t, float x, float y, float z) {
    Tex(s, t);
    Vertex(x, y, z);
  }
  void Push() { Add("glPushMatrix()"); }
  void Pop() { Add("glPopMatrix()"); }
  void Translate(float x, float y, float z) {
    Add("glTranslatef" + F3(x, y, z));
  }
  void Rotate(float a, float x, float y, float z) {
    Add("glRotatef" + F4(a, x, y, z));
  }
  void Cylinder(double base, double top, double height) {
    Add("gluCylinder(quadric, " + F(base) + ", " + F(top) + ", " + F(height) +
        ", 32, 32)");
  }
  void Disk(double inner, double outer) {
    Add("gluDisk(quadric, " + F(inner) + ", " + F(outer) + ", 32, 32)");
  }
  void Env(const char *pname, const char *value) {
    Add(std::string("glTexEnvi(GL_TEXTURE_ENV, ") + pname + ", " + value + ")");
  }
  void Box(int entry) { Add("(box " + std::to_string(entry) + " written)"); }
  void Material(const char *pname, const std::string &values) {
    Add(std::string("glMaterialfv(GL_FRONT, ") + pname + ", " + values + ")");
  }
};

struct V {
  float s, t, x, y, z;
};

const float kAx = 0.044556f, kAy = 3.603399f, kAz = -0.230243f;
const V kRoof[12] = {
    {0, 0, -3.5f, 1.5f, 3.5f}, {1, 0, 3.5f, 1.5f, 3.5f},
    {0.5f, 1, kAx, kAy, kAz},  {0.5f, 1, kAx, kAy, kAz},
    {1, 0, 3.5f, 1.5f, -3.5f}, {0, 0, -3.5f, 1.5f, -3.5f},
    {0, 0, 3.5f, 1.5f, 3.5f},  {1, 0, 3.5f, 1.5f, -3.5f},
    {0.5f, 1, kAx, kAy, kAz},  {1, 0, -3.5f, 1.5f, -3.5f},
    {0, 0, -3.5f, 1.5f, 3.5f}, {0.5f, 1, kAx, kAy, kAz},
};

void RoofTriangles(Frame &f, bool unit0Coords) {
  f.Begin("GL_TRIANGLES");
  for (const V &v : kRoof) {
    if (unit0Coords) {
      f.Multi(0, v.s, v.t);
    } else {
      f.Tex(v.s, v.t);
    }
    f.Vertex(v.x, v.y, v.z);
  }
  f.End();
}

void Pillars(Frame &f, bool firstPillarCoords) {
  const float spots[4][2] = {
      {-2.5f, 2.5f}, {-2.5f, -2.5f}, {2.5f, 2.5f}, {2.5f, -2.5f}};
  for (int i = 0; i < 4; ++i) {
    f.Push();
    f.Translate(spots[i][0], 1.5f, spots[i][1]);
    f.Rotate(90, 1, 0, 0);
    if (i == 0 && firstPillarCoords) {
      f.Multi(0, 0, 0);
      f.Multi(1, 0, 0);
    }
    f.Cylinder(0.2, 0.2, 3);
    f.Pop();
  }
}

void Dot3Pass(Frame &f, int bumpSlot, bool roof) {
  f.Add("glBlendFunc(GL_DST_COLOR, GL_ZERO)");
  f.Enable("GL_BLEND");
  f.Bind(bumpSlot);
  f.Enable("GL_TEXTURE_2D");
  f.Unit(1);
  f.Add("glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, cubemap)");
  f.Enable("GL_TEXTURE_CUBE_MAP_ARB");
  f.Unit(0);
  f.Env("GL_TEXTURE_ENV_MODE", "GL_COMBINE_ARB");
  f.Env("GL_SOURCE0_RGB_ARB", "GL_TEXTURE");
  f.Env("GL_COMBINE_RGB_ARB", "GL_REPLACE");
  f.Unit(1);
  f.Env("GL_TEXTURE_ENV_MODE", "GL_COMBINE_ARB");
  f.Env("GL_SOURCE0_RGB_ARB", "GL_TEXTURE");
  f.Env("GL_COMBINE_RGB_ARB", "GL_DOT3_RGB_ARB");
  f.Env("GL_SOURCE1_RGB_ARB", "GL_PREVIOUS_ARB");
  f.Unit(0);
  if (roof) {
    RoofTriangles(f, true);
  } else {
    Pillars(f, false);
  }
  f.Disable("GL_TEXTURE_2D");
  f.Unit(1);
  f.Disable("GL_TEXTURE_CUBE_MAP_ARB");
  f.Env("GL_TEXTURE_ENV_MODE", "GL_MODULATE");
  f.Disable("GL_BLEND");
}

void Quads(Frame &f, const V *corners, int count) {
  for (int i = 0; i < count; ++i) {
    f.TexVertex(corners[i].s, corners[i].t, corners[i].x, corners[i].y,
                corners[i].z);
  }
}

void WoodenBlock(Frame &f, float w, float za, float zb) {
  const V faces[20] = {
      {0, 0, -w, -1.5f, za}, {1, 0, w, -1.5f, za},  {1, 1, w, -1, za},
      {0, 1, -w, -1, za},    {0, 0, -w, -1.5f, zb}, {1, 0, w, -1.5f, zb},
      {1, 1, w, -1, zb},     {0, 1, -w, -1, zb},    {0, 0, w, -1.5f, zb},
      {1, 0, w, -1.5f, za},  {1, 1, w, -1, za},     {0, 1, w, -1, zb},
      {0, 0, -w, -1.5f, zb}, {1, 0, -w, -1.5f, za}, {1, 1, -w, -1, za},
      {0, 1, -w, -1, zb},    {0, 0, w, -1, zb},     {1, 0, -w, -1, zb},
      {1, 1, -w, -1, za},    {0, 1, w, -1, za},
  };
  f.Begin("GL_QUADS");
  Quads(f, faces, 20);
  f.End();
}

} // namespace

std::vector<std::string> ExpectedFrame(const FrameInputs &in) {
  Frame f;
  const Camera &c = in.camera;

  // 1-2: clear, view.
  f.Add("glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)");
  f.Add("glLoadIdentity()");
  f.Add("gluLookAt(" + f.F(c.position.x) + ", " + f.F(c.position.y) + ", " +
        f.F(c.position.z) + ", " + f.F(c.viewPoint.x) + ", " +
        f.F(c.viewPoint.y) + ", " + f.F(c.viewPoint.z) + ", " +
        f.F(c.upVector.x) + ", " + f.F(c.upVector.y) + ", " +
        f.F(c.upVector.z) + ")");

  // 3: lights.
  const float L = in.lightLevel;
  for (const char *light : {"GL_LIGHT0", "GL_LIGHT1", "GL_LIGHT2"}) {
    const std::string head = std::string("glLightfv(") + light + ", ";
    f.Add(head + "GL_POSITION, " + f.F4(1, 1, 1, 0) + ")");
    f.Add(head + "GL_AMBIENT, " + f.F4(0.75f, 0.75f, 0.75f, 1) + ")");
    f.Add(head + "GL_DIFFUSE, " + f.F4(L, L, L, 1) + ")");
    f.Add(head + "GL_SPECULAR, " + f.F4(1, 1, 1, 0) + ")");
  }
  f.Enable("GL_LIGHTING");
  f.Add("glLightModelfv(GL_LIGHT_MODEL_AMBIENT, " +
        f.F4(0.75f, 0.75f, 0.75f, 1) + ")");
  f.Add("glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, 1)");
  f.Enable("GL_LIGHT0");
  f.Enable("GL_LIGHT1");
  f.Enable("GL_LIGHT2");

  // 4-5: roof and its bump pass.
  f.Unit(0);
  f.Enable("GL_TEXTURE_2D");
  f.Bind(13);
  RoofTriangles(f, false);
  if (in.bumpMappingOn) {
    Dot3Pass(f, 19, true);
  }

  // 6: glass walls.
  f.Unit(0);
  f.Enable("GL_TEXTURE_2D");
  f.Bind(4);
  f.Enable("GL_BLEND");
  f.Add("glColor4f(1, 1, 1, 10)");
  f.Add("glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)");
  f.Disable("GL_DEPTH_TEST");
  const V walls[16] = {
      {0, 0, -2.5f, -1.5f, 2.5f},  {1, 0, 2.5f, -1.5f, 2.5f},
      {1, 1, 2.5f, 1.5f, 2.5f},    {0, 1, -2.5f, 1.5f, 2.5f},
      {0, 0, -2.5f, -1.5f, -2.5f}, {1, 0, 2.5f, -1.5f, -2.5f},
      {1, 1, 2.5f, 1.5f, -2.5f},   {0, 1, -2.5f, 1.5f, -2.5f},
      {1, 0, 2.5f, -1.5f, 2.5f},   {0, 0, 2.5f, -1.5f, -2.5f},
      {0, 1, 2.5f, 1.5f, -2.5f},   {1, 1, 2.5f, 1.5f, 2.5f},
      {1, 0, -2.5f, -1.5f, 2.5f},  {0, 0, -2.5f, -1.5f, -2.5f},
      {0, 1, -2.5f, 1.5f, -2.5f},  {1, 1, -2.5f, 1.5f, 2.5f},
  };
  f.Begin("GL_QUADS");
  Quads(f, walls, 16);
  f.End();
  f.Disable("GL_BLEND");
  f.Enable("GL_DEPTH_TEST");
  // 7: the walls' entries.
  f.Box(9);
  f.Box(10);
  f.Box(11);

  // 8: the marker under the view point.
  f.Push();
  f.Translate(c.viewPoint.x, 0, c.viewPoint.z);
  f.Rotate(in.headingDegrees, 0, 1, 0);
  f.Translate(0, -1, 0);
  f.Begin("GL_QUADS");
  f.Add("glColor3f(1, 0, 0)");
  f.Vertex(-1, -0.49f, 1);
  f.Vertex(1, -0.49f, 1);
  f.Vertex(1, -0.49f, -1);
  f.Vertex(-1, -0.49f, -1);
  f.End();
  f.Pop();

  // 9: the game-over picture.
  if (in.ballsCollected >= 10) {
    f.Unit(0);
    f.Enable("GL_TEXTURE_2D");
    f.Bind(21);
    f.Push();
    f.Translate(c.viewPoint.x, 0, c.viewPoint.z);
    f.Rotate(in.headingDegrees, 0, 1, 0);
    f.Translate(0, -1, 0);
    f.Begin("GL_QUADS");
    f.Add("glColor3f(1, 0, 0)");
    f.TexVertex(1, 0, -1, -0.2f, -0.6f);
    f.TexVertex(1, 1, -1, 0.49f, -0.6f);
    f.TexVertex(0, 1, -1, 0.49f, 0.6f);
    f.TexVertex(0, 0, -1, -0.2f, 0.6f);
    f.End();
    f.Pop();
    if (!in.gameOver) {
      f.Add("(gameOver set)");
    }
  }

  // 10: the floor and its texture pair.
  f.Unit(0);
  f.Enable("GL_TEXTURE_2D");
  f.Bind(5);
  if (static_cast<double>(L) >= 0.2) {
    f.Unit(1);
    f.Enable("GL_TEXTURE_2D");
    f.Bind(16);
  } else {
    f.Unit(0);
    f.Bind(16);
    f.Unit(1);
    f.Enable("GL_TEXTURE_2D");
    f.Bind(18);
  }
  const V floor[4] = {{0, 0, -4, -1.5f, 11},
                      {1, 0, 11, -1.5f, 11},
                      {1, 1, 11, -1.5f, -4},
                      {0, 1, -4, -1.5f, -4}};
  f.Begin("GL_QUADS");
  for (const V &v : floor) {
    f.Multi(0, v.s, v.t);
    f.Multi(1, v.s, v.t);
    f.Vertex(v.x, v.y, v.z);
  }
  f.End();

  // 11: window strips.
  f.Unit(0);
  f.Bind(11);
  const V strips[32] = {
      {1, 1, 2.505f, 0.45f, 2.3f},    {1, 0, 2.505f, 0.55f, 2.3f},
      {0, 0, 2.505f, 0.55f, -2.3f},   {0, 1, 2.505f, 0.45f, -2.3f},
      {1, 1, 2.505f, -0.55f, 2.3f},   {1, 0, 2.505f, -0.45f, 2.3f},
      {0, 0, 2.505f, -0.45f, -2.3f},  {0, 1, 2.505f, -0.55f, -2.3f},
      {1, 1, 2.3f, -0.45f, 2.505f},   {1, 0, -2.3f, -0.45f, 2.505f},
      {0, 0, -2.3f, -0.55f, 2.505f},  {0, 1, 2.3f, -0.55f, 2.505f},
      {1, 1, 2.3f, 0.55f, 2.505f},    {1, 0, -2.3f, 0.55f, 2.505f},
      {0, 0, -2.3f, 0.45f, 2.505f},   {0, 1, 2.3f, 0.45f, 2.505f},
      {1, 1, -2.505f, -0.55f, 2.3f},  {1, 0, -2.505f, -0.45f, 2.3f},
      {0, 0, -2.505f, -0.45f, -2.3f}, {0, 1, -2.505f, -0.55f, -2.3f},
      {1, 1, -2.505f, 0.45f, 2.3f},   {1, 0, -2.505f, 0.55f, 2.3f},
      {0, 0, -2.505f, 0.55f, -2.3f},  {0, 1, -2.505f, 0.45f, -2.3f},
      {1, 1, 2.3f, -0.45f, -2.505f},  {1, 0, -2.3f, -0.45f, -2.505f},
      {0, 0, -2.3f, -0.55f, -2.505f}, {0, 1, 2.3f, -0.55f, -2.505f},
      {1, 1, 2.3f, 0.55f, -2.505f},   {1, 0, -2.3f, 0.55f, -2.505f},
      {0, 0, -2.3f, 0.45f, -2.505f},  {0, 1, 2.3f, 0.45f, -2.505f},
  };
  f.Begin("GL_QUADS");
  Quads(f, strips, 32);
  f.End();

  // 12: wooden blocks, one binding.
  f.Unit(0);
  f.Bind(12);
  WoodenBlock(f, 0.75f, -1.75f, -2.25f);
  f.Box(7);
  WoodenBlock(f, 0.5f, 1.75f, 2.25f);
  f.Box(8);

  // 13: electric box, four batches.
  const V sides[8] = {
      {0, 0, 5.4f, -1.5f, 3.5f}, {1, 0, 5.6f, -1.5f, 3.5f},
      {1, 1, 5.6f, -0.5f, 3.5f}, {0, 1, 5.4f, -0.5f, 3.5f},
      {0, 0, 5.4f, -1.5f, 4.5f}, {1, 0, 5.6f, -1.5f, 4.5f},
      {1, 1, 5.6f, -0.5f, 4.5f}, {0, 1, 5.4f, -0.5f, 4.5f},
  };
  const V front[4] = {{0, 0, 5.6f, -1.5f, 4.5f},
                      {1, 0, 5.6f, -1.5f, 3.5f},
                      {1, 1, 5.6f, -0.5f, 3.5f},
                      {0, 1, 5.6f, -0.5f, 4.5f}};
  const V back[4] = {{0, 0, 5.4f, -1.5f, 4.5f},
                     {1, 0, 5.4f, -1.5f, 3.5f},
                     {1, 1, 5.4f, -0.5f, 3.5f},
                     {0, 1, 5.4f, -0.5f, 4.5f}};
  const V top[4] = {{0, 0, 5.6f, -0.5f, 4.5f},
                    {1, 0, 5.4f, -0.5f, 4.5f},
                    {1, 1, 5.4f, -0.5f, 3.5f},
                    {0, 1, 5.6f, -0.5f, 3.5f}};
  struct Batch {
    int slot;
    const V *corners;
    int count;
  };
  for (const Batch &b : {Batch{3, sides, 8}, Batch{1, front, 4},
                         Batch{2, back, 4}, Batch{14, top, 4}}) {
    f.Unit(0);
    f.Bind(b.slot);
    f.Begin("GL_QUADS");
    Quads(f, b.corners, b.count);
    f.End();
  }
  f.Box(0);

  // 14: lamp posts.
  const float posts[6][2] = {{9, -1.2f}, {3.5f, -1.2f}, {9, 2},
                             {5, 1.2f},  {5.5f, 5},     {9, 8}};
  int postEntry = 1;
  for (const auto &p : posts) {
    f.Unit(0);
    f.Bind(6);
    f.Push();
    f.Translate(p[0], -0.7f, p[1]);
    f.Rotate(90, 1, 0, 0);
    f.Cylinder(0.1, 0.1, 0.8);
    f.Bind(15);
    f.Disk(0, 0.1);
    f.Pop();
    f.Box(postEntry++);
  }

  // 15-16: pillars and their bump pass.
  f.Unit(0);
  f.Bind(8);
  Pillars(f, true);
  if (in.bumpMappingOn) {
    Dot3Pass(f, 20, false);
  }

  // 17: pillar lamps.
  f.Unit(0);
  f.Enable("GL_TEXTURE_2D");
  f.Bind(9);
  const float lamps[4][2] = {
      {2.7f, -2.5f}, {-2.7f, -2.5f}, {-2.7f, 2.5f}, {2.7f, 2.5f}};
  for (const auto &p : lamps) {
    f.Push();
    f.Translate(p[0], 1, p[1]);
    f.Rotate(90, 1, 0, 0);
    f.Cylinder(0.1, 0.1, 0.4);
    f.Disk(0, 0.1);
    f.Pop();
  }

  // 18: unit 0 texturing off.
  f.Disable("GL_TEXTURE_2D");

  // 19: balls.
  for (int i = 12; i < 22; ++i) {
    if (in.ballCollected[i]) {
      f.Box(i); // emptied again
      continue;
    }
    f.Push();
    f.Material("GL_SPECULAR", f.F4(1, 1, 1, 1));
    f.Material("GL_SHININESS", "(32)");
    f.Material("GL_DIFFUSE", f.F4(0, 0.2f, 0.7f, 1));
    f.Material("GL_AMBIENT", f.F4(0, 0, 0.2f, 1));
    f.Enable("GL_LIGHTING");
    f.Translate(5 + in.ballOffsetX[i], -1, 2.5f + in.ballOffsetZ[i]);
    f.Rotate(90, 0, 1, 0);
    f.Add("gluSphere(quadric, 0.1, 32, 32)");
    f.Disable("GL_LIGHTING");
    f.Pop();
    f.Box(i);
  }

  // 20: material reset.
  f.Material("GL_SPECULAR", f.F4(1, 1, 1, 1));
  f.Material("GL_SHININESS", "(1)");
  f.Material("GL_DIFFUSE", f.F4(1, 1, 1, 1));
  f.Material("GL_AMBIENT", f.F4(1, 1, 1, 1));
  return f.lines;
}
